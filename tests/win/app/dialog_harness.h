#pragma once

#include "app/backup_dialog.h"
#include "res/resource.h"
#include "tests/native/temp_folder.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Records every message box and gives one answer to all of them.
struct RecordingPrompt : Prompt
{
    int Show(const std::string& text, const std::string& caption, unsigned type) override
    {
        shown.push_back({text, caption, type});
        return answer;
    }

    std::vector<Message> shown;
    int answer = IDOK;
};

// Records every start and reports it as started.
struct RecordingShell : Shell
{
    bool Start(const std::string& path, int show) override
    {
        started.emplace_back(path, show);
        return true;
    }

    std::vector<std::pair<std::string, int>> started;
};

// The main dialog over a temporary install directory, run modally: the script
// runs inside the modal loop once the window is up; then the dialog is ended
// unless the script ended it. Ending the process only ends the modal loop.
class TestDialog : public CBackupDialog
{
  public:
    // What DoModal returns when the script left the dialog open.
    static constexpr int kScriptDone = 100;
    static constexpr int kProcessEnded = 101;

    using Script = std::function<void(TestDialog&)>;

    TestDialog(const TempFolder& folder, Prompt& prompt, Shell& shell);

    int Run(Script script, Script beforeInit = nullptr);

    int Check(int id) const;
    bool Enabled(int id) const;
    // A user's click: the box toggles before its handler runs.
    void Click(int id);
    // Clicks an entry of the source list with the mouse.
    void ClickSource(int index);
    std::vector<std::string> Sources() const;
    HWND Item(int id) const;

    bool processEnded = false;

  protected:
    BOOL OnInitDialog() override;
    void EndProcess() override;
    LRESULT OnRunScript(WPARAM, LPARAM);
    LRESULT OnScriptDone(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

  private:
    Script m_script;
    Script m_beforeInit;
};

// A store folder, the fakes and a dialog over them.
struct DialogFixture
{
    TempFolder folder;
    RecordingPrompt prompt;
    RecordingShell shell;
    TestDialog dialog{folder, prompt, shell};

    std::string PathOf(const char* name) const
    {
        return InstallDirectory(folder.Path()).PathOf(name);
    }
};
