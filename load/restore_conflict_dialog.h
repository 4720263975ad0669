#pragma once

#include "framework/framework.h"
#include "restore/restore_plan.h"

// The question a restore asks where a different file stands at a restored
// file's place: both files' sizes and times, "Keep both" (the default),
// "Replace" or "Skip" (also Esc), and whether the answer holds for all the
// conflicts still to come.
class CConflictDialog : public CDialog
{
  public:
    CConflictDialog(const restore::Conflict& conflict, CWnd* pParentWnd);

    // Asks, and gives the answer.
    restore::ConflictAnswer Ask();

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnReplace();
    void OnForAll();

    CButton m_forAll;

    DECLARE_MESSAGE_MAP()

  private:
    const restore::Conflict& m_conflict;
    bool m_answerForAll = false;
};
