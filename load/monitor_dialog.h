#pragma once

#include "companions/monitor_view.h"
#include "framework/framework.h"
#include "load/companion_dialog.h"
#include "load/file_reason_list.h"
#include "load/monitor_source.h"

#include <string>

// The monitor's window: the progress of the hidden batch while it runs, the
// verdict and the files not backed up once it has ended. Closing it ends
// only the window; the copy and the report go on without it.
class CMonitorDialog : public CCompanionDialog
{
  public:
    explicit CMonitorDialog(MonitorSource& source);

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // The source has news.
    LRESULT OnSourceChanged(WPARAM wParam, LPARAM lParam);
    // The clock of the time taken, once a second while the run lasts.
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    // Opens the report in the program the user reads text files with.
    void OnOpenReport();
    // Starts this program again as the restore window.
    void OnRestoreFiles();
    void OnDestroy();

    CStatic m_headline;
    CProgressCtrl m_progress;
    CStatic m_files;
    CStatic m_bytes;
    CStatic m_folder;
    CStatic m_time;
    CFileReasonList m_notBackedUp;
    CButton m_openReport;

    DECLARE_MESSAGE_MAP()

  private:
    void Refresh();

    MonitorSource& m_source;
    companions::MonitorView m_shown;
    std::string m_report;
    bool m_done = false;
};
