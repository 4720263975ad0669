#pragma once

#include "tests/e2e/driver/checker.h"

#include <string>
#include <windows.h>

// Answers the two shell dialogs the program opens, as a user would, once it
// has opened them (after a click on Add File, Add Folder or "....").
namespace e2e
{

// Types the full path into the file dialog's name box and confirms it.
void ChooseFile(HWND owner, const std::string& path, Checker& checker);
// Opens `folder` in the file dialog, the way a typed folder name does, and
// checks that it lists `entries` names (files and folders).
void ExpectFileDialogLists(HWND owner, const std::string& folder, int entries, Checker& checker);
// Selects the folder in the folder browser and confirms it; `title` is the
// text the browser shows above its tree.
void ChooseFolder(HWND owner, const std::string& title, const std::string& path, Checker& checker);

// "Add Folder" in the main dialog, answered with `folder`.
void AddSourceFolder(HWND window, const std::string& folder, Checker& checker);
// "...." in the main dialog, answered with `folder`.
void ChooseDestination(HWND window, const std::string& folder, Checker& checker);

} // namespace e2e
