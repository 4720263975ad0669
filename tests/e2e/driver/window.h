#pragma once

#include "tests/e2e/driver/checks.h"

#include <optional>

// Works the program's window from outside, as a user would: only visible,
// enabled controls are clicked. Texts cross the process boundary through the
// wide messages, which the system marshals intact.
namespace e2e
{

// Control ids of the main dialog.
constexpr int kPictures = 1000, kAudio = 1001, kVideo = 1002, kDocuments = 1003, kSourceList = 1004,
              kAddFile = 1005, kDestination = 1006, kBrowseDestination = 1007, kBackupNow = 1008,
              kAllFileTypes = 1010, kAutoOnShutdown = 1014, kSystemState = 1015,
              kBackupOnModify = 1016, kAddFolder = 1018, kRemoveSelected = 1019,
              kVirtualDrive = 1021, kHidden = 1022, kModifiedOnly = 1023;

std::string TextOf(HWND window);
// Clicks without waiting for the handler, which may open a modal window; later
// queries are answered in order after it, from inside any nested loop.
void Click(HWND dialog, int id);
bool IsTicked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
// The source list's entries, joined by ", ".
std::string SourceList(HWND window);
void SelectSource(HWND window, int index);

// Checks the next message box on `owner` (its buttons follow from the answer:
// Yes and No, or OK alone) and answers it.
void AnswerMessageBox(HWND owner, const std::string& caption, const std::string& text, int answer);
// True when no message box opens on `owner` within a short grace period.
bool NoMessageBox(HWND owner);

// "Add Folder" and "....", answered in the folder browser.
void AddSourceFolder(HWND window, const std::string& folder);
void ChooseDestination(HWND window, const std::string& folder);
// "Add File": opens `folder` by typing it, checks that the dialog lists
// `listed` names there, then types the file's full path and confirms it.
void AddFileThroughDialog(HWND window, const std::string& folder, int listed,
                          const std::string& file);

// One run of the installed program, started the way the Start menu starts it,
// with the batch recorder standing in for the command interpreter.
class Program
{
  public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The main dialog, once visible; ends the case when it never shows.
    HWND Window();
    // The exit status, or nothing while the process still runs after `timeoutMs`.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);
    // Checks that the program ends by itself with status 0.
    void ExpectEnds(const std::string& after);
    // Closes the window (or presses Esc in it) and checks that the program ends.
    void Close(bool escape = false);

  private:
    PROCESS_INFORMATION m_process{};
    HWND m_window = nullptr;
};

} // namespace e2e
