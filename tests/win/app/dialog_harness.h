#pragma once

#include "app/backup_dialog.h"
#include "res/resource.h"
#include "tests/native/test_support.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Records every message box and gives one answer to all of them.
struct AnsweringPrompt : RecordingPrompt
{
    int answer = IDOK;

    int Show(const std::string& text, const std::string& caption, unsigned type) override
    {
        RecordingPrompt::Show(text, caption, type);
        return answer;
    }
};

// What the dialog works on: a store folder and the recording ports.
struct DialogParts
{
    TempFolder folder;
    AnsweringPrompt prompt;
    RecordingShell shell;
};

// The main dialog over a temporary install directory, run modally: the script
// runs inside the modal loop once the window is up; then the dialog ends with
// IDOK unless the script ended it. Ending the process only ends the modal loop.
class TestDialog : public DialogParts, public CBackupDialog
{
  public:
    using Script = std::function<void(TestDialog&)>;

    TestDialog() : CBackupDialog(InstallDirectory(folder.Path()), prompt, shell, nullptr) {}
    int Run(Script script)
    {
        m_script = std::move(script);
        return DoModal();
    }
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int Check(int id) const { return static_cast<int>(::IsDlgButtonChecked(m_hWnd, id)); }
    bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    // A user's click: the box toggles before its handler runs.
    void Click(int id) { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
    // A user's click on an entry, which the list reports as a selection change.
    void ClickSource(int index);
    std::vector<std::string> Sources() const;

    Script beforeInit; // runs once the window exists, before the store loads
    // The status the dialog ended the process with, -1 while it has not.
    int endStatus = -1;

  protected:
    BOOL OnInitDialog() override;
    void EndProcess(int status) override
    {
        endStatus = status;
        EndDialog(IDOK);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    Script m_script;
};
