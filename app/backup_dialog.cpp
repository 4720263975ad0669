#include "app/backup_dialog.h"

#include "app/drop_files.h"
#include "app/icon_position.h"
#include "desktop/running_backup.h"
#include "flows/backup_run.h"
#include "flows/load_store.h"
#include "flows/save_store.h"
#include "res/resource.h"

#include <cstdlib>

int lastSourceIndex = -1;

CBackupDialog::CBackupDialog(const InstallDirectory& installDirectory, CWnd* pParent)
    : CBackupDialog(installDirectory, m_messageBoxPrompt, m_shellExecute, pParent)
{
}

CBackupDialog::CBackupDialog(const InstallDirectory& installDirectory, Prompt& prompt, Shell& shell,
                             CWnd* pParent)
    : CBrandDialog(IDD_MAIN, {IDR_MAINFRAME, IDB_BRAND, IDC_PANEL, IDC_BRAND}, IDC_OPTIONS_HEADER,
                   pParent),
      m_installDirectory(installDirectory), m_messageBoxPrompt(*this), m_prompt(&prompt),
      m_shell(&shell),
      m_files(platform::LocalFiles()), m_optionBoxes{&m_allFileTypes,   &m_autoBackupOnShutdown,
                                                     &m_backupOnModify, &m_pictures,
                                                     &m_audioMusic,     &m_video,
                                                     &m_documents,      &m_hidden,
                                                     &m_systemState,    &m_modifiedOnly},
      m_typeBoxes{&m_pictures, &m_audioMusic, &m_video, &m_documents, &m_hidden}
{
}

BEGIN_MESSAGE_MAP(CBackupDialog, CBrandDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_BACKUP_NOW, RunBackup)
ON_BN_CLICKED(IDC_ADD_FILE, OnAddFile)
ON_BN_CLICKED(IDC_ADD_FOLDER, OnAddFolder)
ON_BN_CLICKED(IDC_REMOVE_SELECTED, OnRemoveSelected)
ON_BN_CLICKED(IDC_BROWSE_DESTINATION, OnBrowseDestination)
ON_BN_CLICKED(IDC_CHECK_UPDATES, OnCheckForUpdates)
ON_BN_CLICKED(IDC_ALL_FILE_TYPES, OnAllFileTypes)
ON_BN_CLICKED(IDC_MODIFIED_ONLY, OnModifiedOnly)
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_VIRTUAL_DRIVE, OnVirtualDrive)
ON_LBN_SELCHANGE(IDC_SOURCE_LIST, OnSourceSelChange)
ON_BN_CLICKED(IDC_AUTO_ON_SHUTDOWN, OnAutoBackupOnShutdown)
ON_BN_CLICKED(IDC_BACKUP_ON_MODIFY, OnBackupOnModify)
END_MESSAGE_MAP()

void CBackupDialog::DoDataExchange(CDataExchange* pDX)
{
    CBrandDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_REMOVE_SELECTED, m_removeSelected);
    DDX_Control(pDX, IDC_MODIFIED_ONLY, m_modifiedOnly);
    DDX_Control(pDX, IDC_HIDDEN, m_hidden);
    DDX_Control(pDX, IDC_BACKUP_ON_MODIFY, m_backupOnModify);
    DDX_Control(pDX, IDC_PICTURES, m_pictures);
    DDX_Control(pDX, IDC_ALL_FILE_TYPES, m_allFileTypes);
    DDX_Control(pDX, IDC_AUDIO, m_audioMusic);
    DDX_Control(pDX, IDC_VIDEO, m_video);
    DDX_Control(pDX, IDC_DOCUMENTS, m_documents);
    DDX_Control(pDX, IDC_SYSTEM_STATE, m_systemState);
    DDX_Control(pDX, IDC_DESTINATION, m_destination);
    DDX_Control(pDX, IDC_SOURCE_LIST, m_sourceList);
    DDX_Control(pDX, IDC_AUTO_ON_SHUTDOWN, m_autoBackupOnShutdown);
    DDX_Control(pDX, IDC_BACKUP_NOW, m_backupNow);
}

BOOL CBackupDialog::OnInitDialog()
{
    CBrandDialog::OnInitDialog();
    for (const int onColumn : {IDC_OPTIONS_HEADER, IDC_AUTO_ON_SHUTDOWN, IDC_BACKUP_ON_MODIFY})
        PutOnColumn(onColumn);

    if (HMENU systemMenu = GetSystemMenu(FALSE))
    {
        char aboutText[256] = {};
        if (LoadStringA(AfxGetInstanceHandle(), IDS_ABOUTBOX, aboutText, sizeof aboutText) > 0)
        {
            AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutText);
        }
    }
    BringWindowToTop();
    for (HWND window : {m_hWnd, m_sourceList.m_hWnd, m_destination.m_hWnd})
        LetDropsThrough(window);
    ShowBackupNow(WindowDpi(m_hWnd));
    LoadStore();
    return TRUE;
}

void CBackupDialog::OnDpiChanged(UINT dpi)
{
    CBrandDialog::OnDpiChanged(dpi);
    ShowBackupNow(dpi);
}

void CBackupDialog::ShowBackupNow(UINT dpi)
{
    m_backupNow.LoadFrameStrip(IDB_BACKUP_NOW, dpi);
    CentreOnColumn(m_backupNow);
}

void CBackupDialog::LoadStore()
{
    const std::optional<flows::LoadedStore> read = flows::LoadStore(m_installDirectory, m_files);
    // A store that cannot be read is no first run: nothing is shown or saved.
    if (!read)
        return OnInitDialogFailed("a store file cannot be read");
    const flows::LoadedStore& loaded = *read;
    // Every window starts with the template's empty list.
    lastSourceIndex = -1;
    // Each view ends before a NUL byte, as a C string does.
    for (const std::string_view source : loaded.sources)
        AppendSource(source.data());
    m_destination.SetWindowText(loaded.destination);
    for (int flag = 0; flag < kOptionFlagCount; ++flag)
    {
        if (loaded.ticked[flag])
            m_optionBoxes[flag]->SetCheck(BST_CHECKED);
    }
    // A locked load keeps the ticks it read: only the click rule clears them.
    for (CButton* box : m_typeBoxes)
        box->EnableWindow(!loaded.typeBoxesLocked);
}

void CBackupDialog::AppendSource(const char* path)
{
    const int index = m_sourceList.AddString(path);
    if (index != LB_ERR && index != LB_ERRSPACE)
        ++lastSourceIndex;
}

BackupSelection CBackupDialog::ReadSelection() const
{
    BackupSelection selection;
    for (int index = 0; index <= lastSourceIndex; ++index)
        selection.sources.push_back(m_sourceList.GetText(index));
    selection.destination = m_destination.GetWindowText();
    for (int flag = 0; flag < kOptionFlagCount; ++flag)
        selection.flags[flag] = m_optionBoxes[flag]->GetCheck() == BST_CHECKED;
    return selection;
}

void CBackupDialog::OnPaint()
{
    if (!IsIconic())
    {
        CBrandDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT client;
    GetClientRect(&client);
    const UINT dpi = WindowDpi(m_hWnd);
    const POINT at = MinimisedIconPosition(client, SystemMetricForDpi(SM_CXICON, dpi),
                                           SystemMetricForDpi(SM_CYICON, dpi));
    dc.DrawIcon(at.x, at.y, BigIcon());
}

HCURSOR CBackupDialog::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(BigIcon());
}

void CBackupDialog::OnDestroy()
{
    CBrandDialog::OnDestroy();
}

void CBackupDialog::RunBackup()
{
    if (flows::RunBackup(ReadSelection(), m_installDirectory, *m_prompt, *m_shell, IsBackupRunning,
                         m_files) == flows::RunOutcome::Started)
        SaveAndExit();
}

void CBackupDialog::OnClose()
{
    SaveAndExit();
}

void CBackupDialog::SaveAndExit()
{
    if (flows::SaveStore(ReadSelection(), m_installDirectory, *m_prompt, m_files) ==
        flows::SaveOutcome::Saved)
        EndProcess(0);
}

void CBackupDialog::OnInitDialogFailed(const char*)
{
    m_prompt->Show(flows::LoadFailure(m_installDirectory));
    EndProcess(1);
}

void CBackupDialog::EndProcess(int status)
{
    DestroyWindow();
    std::exit(status);
}
