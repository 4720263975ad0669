#pragma once

#include "framework/dialog.h"

#include <functional>
#include <utility>
#include <vector>

// A test dialog that runs a script from inside its own modal loop, and ends
// itself with kTimedOut if the script never ends it, so no test can hang.
class ScriptedDialog : public CDialog
{
  public:
    static constexpr int kTimedOut = -2;

    explicit ScriptedDialog(CWnd* pParentWnd = nullptr);

    // Runs inside OnInitDialog, after the base's data exchange.
    std::function<void(ScriptedDialog&)> onInit;
    // Runs from a message posted by OnInitDialog, once the modal loop runs.
    std::function<void(ScriptedDialog&)> onOpen;
    BOOL initResult = TRUE;
    std::vector<std::pair<int, CWnd*>> bindings;

    BOOL OnInitDialog() override;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT OnOpened(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};
