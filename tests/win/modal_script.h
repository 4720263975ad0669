#pragma once

#include <functional>
#include <utility>
#include <windows.h>

// A dialog of class Dialog that runs a test's script from inside its own modal
// loop: once the window is up, a message it posted to itself runs `script`,
// then the command `endWith` (none when 0) is posted, which ends a dialog
// that the script did not end.
template <typename Dialog> class ModalScript : public Dialog
{
  public:
    using Dialog::Dialog;

    std::function<void()> script;
    UINT endWith = 0;

  protected:
    BOOL OnInitDialog() override
    {
        const BOOL result = Dialog::OnInitDialog();
        this->PostMessage(kRunScript);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kRunScript)
            return Dialog::WindowProc(message, wParam, lParam);
        script();
        if (endWith != 0)
            this->PostMessage(WM_COMMAND, endWith);
        return 0;
    }

  private:
    static constexpr UINT kRunScript = WM_APP + 100;
};
