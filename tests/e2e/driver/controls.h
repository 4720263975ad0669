#pragma once

#include "tests/e2e/driver/checker.h"

#include <string>
#include <vector>
#include <windows.h>

// Works the program's controls from outside, as a user would: only visible,
// enabled controls are clicked. Texts cross the process boundary through the
// wide messages, which the system marshals intact.
namespace e2e
{

// Control ids of the main dialog.
enum ControlId : int
{
    kPictures = 1000,
    kAudio = 1001,
    kVideo = 1002,
    kDocuments = 1003,
    kSourceList = 1004,
    kAddFile = 1005,
    kDestination = 1006,
    kBrowseDestination = 1007,
    kBackupNow = 1008,
    kAllFileTypes = 1010,
    kAutoOnShutdown = 1014,
    kSystemState = 1015,
    kBackupOnModify = 1016,
    kAddFolder = 1018,
    kRemoveSelected = 1019,
    kVirtualDrive = 1021,
    kHidden = 1022,
    kModifiedOnly = 1023,
};

std::string TextOf(HWND window);
std::string ClassOf(HWND window);
HWND Control(HWND dialog, int id, Checker& checker);

// Clicks without waiting for the handler, which may open a modal window; later
// queries are answered in order after it, from inside any nested loop.
void Click(HWND dialog, int id, Checker& checker);
bool IsTicked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
std::vector<std::string> ListEntries(HWND dialog, int id);
void SelectListEntry(HWND dialog, int id, int index, Checker& checker);
// The Esc key, through the dialog's keyboard handling.
void PressEscape(HWND dialog);
void SendClose(HWND dialog);

// Visible dialogs owned by `owner` (message boxes, file and folder dialogs).
std::vector<HWND> OwnedDialogs(HWND owner);

struct MessageBoxSeen
{
    HWND window = nullptr;
    std::string caption;
    std::string text;
};

// The next message box owned by `owner`; ends the case when none appears.
MessageBoxSeen WaitForMessageBox(HWND owner, Checker& checker);
// Checks caption, text and the buttons that `type` (MB_OK or MB_YESNO)
// gives, then answers with the button `answer`.
void AnswerMessageBox(HWND owner, const std::string& caption, const std::string& text,
                      unsigned type, int answer, Checker& checker);
// True when no message box is open on `owner` after a short grace period.
bool NoMessageBox(HWND owner);

} // namespace e2e
