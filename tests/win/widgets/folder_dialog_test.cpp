#include "recording_window.h"
#include "widgets/folder_dialog.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// Records which operation each callback reached and the browse window it saw.
class RecordingFolderDialog : public CFolderDialog
{
  public:
    using CFolderDialog::CFolderDialog;

    std::vector<std::string> calls;
    std::vector<HWND> windowsSeen;

  protected:
    void OnInitialized() override
    {
        Record("OnInitialized");
        CFolderDialog::OnInitialized();
    }
    void OnSelChanged(LPCITEMIDLIST pidl) override
    {
        Record("OnSelChanged");
        CFolderDialog::OnSelChanged(pidl);
    }
    int OnValidateFailed(LPCSTR lpszTypedText) override
    {
        Record(std::string("OnValidateFailed ") + lpszTypedText);
        return CFolderDialog::OnValidateFailed(lpszTypedText);
    }
    void OnIUnknown(IUnknown* pUnknown) override
    {
        Record("OnIUnknown");
        CFolderDialog::OnIUnknown(pUnknown);
    }

  private:
    void Record(const std::string& call)
    {
        calls.push_back(call);
        windowsSeen.push_back(m_hBrowseWnd);
    }
};

// An item list of a shell folder, freed with the test.
class KnownFolderItem
{
  public:
    explicit KnownFolderItem(int csidl) { SHGetSpecialFolderLocation(nullptr, csidl, &m_pidl); }
    ~KnownFolderItem() { CoTaskMemFree(m_pidl); }
    KnownFolderItem(const KnownFolderItem&) = delete;
    KnownFolderItem& operator=(const KnownFolderItem&) = delete;

    LPARAM Param() const { return reinterpret_cast<LPARAM>(m_pidl); }
    std::string Path() const
    {
        char path[MAX_PATH] = {};
        SHGetPathFromIDListA(m_pidl, path);
        return path;
    }

  private:
    LPITEMIDLIST m_pidl = nullptr;
};

int Callback(CFolderDialog& dialog, HWND browser, UINT message, LPARAM lParam)
{
    return CFolderDialog::BrowseCallbackProc(browser, message, lParam,
                                             reinterpret_cast<LPARAM>(&dialog));
}

constexpr char kTitle[] = "Backup To:";
} // namespace

TEST(FolderDialog, NullFolderAndParentAreAccepted)
{
    RecordingFolderDialog dialog(kTitle, nullptr, nullptr, BIF_RETURNONLYFSDIRS);

    EXPECT_EQ(nullptr, dialog.m_browseInfo.hwndOwner);
    EXPECT_STREQ("", dialog.m_szInitialFolder);
    EXPECT_EQ(std::string(MAX_PATH, '\0'), std::string(dialog.m_szSelectedPath, MAX_PATH));
    ASSERT_NE(nullptr, dialog.m_browseInfo.pszDisplayName);
    EXPECT_EQ(std::string(MAX_PATH, '\0'),
              std::string(dialog.m_browseInfo.pszDisplayName, MAX_PATH));
}

TEST(FolderDialog, KeepsTheParentAndAnInitialFolderThatFits)
{
    RecordingWindow parent;
    CWnd parentObject;
    parentObject.Attach(parent.Handle());
    const std::string longest(MAX_PATH - 1, 'a');
    const std::string tooLong(MAX_PATH, 'a');

    RecordingFolderDialog fits(kTitle, longest.c_str(), &parentObject, 0);
    RecordingFolderDialog over(kTitle, tooLong.c_str(), &parentObject, 0);
    parentObject.Detach();

    EXPECT_EQ(parent.Handle(), fits.m_browseInfo.hwndOwner);
    EXPECT_EQ(longest, fits.m_szInitialFolder);
    EXPECT_STREQ("", over.m_szInitialFolder);
}

TEST(FolderDialog, CallbackRunsOneOperationAndSendsWhatItShows)
{
    const KnownFolderItem folder(CSIDL_WINDOWS);
    const KnownFolderItem computer(CSIDL_DRIVES);
    ASSERT_FALSE(folder.Path().empty());
    ASSERT_TRUE(computer.Path().empty());
    char typed[] = "no such folder";
    const auto typedText = reinterpret_cast<LPARAM>(typed);
    const UINT fs = BIF_RETURNONLYFSDIRS;
    using Sent = std::vector<RecordingWindow::Sent>;
    struct Case
    {
        const char* initialFolder;
        UINT flags;
        UINT message;
        LPARAM lParam;
        std::vector<std::string> calls;
        int result;
        Sent sent;
    };
    const Case cases[] = {
        {"", fs, BFFM_INITIALIZED, 0, {"OnInitialized"}, 0, {}},
        {"C:\\Data",
         fs,
         BFFM_INITIALIZED,
         0,
         {"OnInitialized"},
         0,
         {{BFFM_SETSELECTIONA, TRUE, "C:\\Data"}}},
        {"", fs, BFFM_SELCHANGED, folder.Param(), {"OnSelChanged"}, 0, {}},
        {"",
         fs | BIF_STATUSTEXT,
         BFFM_SELCHANGED,
         folder.Param(),
         {"OnSelChanged"},
         0,
         {{BFFM_SETSTATUSTEXTA, 0, folder.Path()}}},
        {"", BIF_STATUSTEXT, BFFM_SELCHANGED, computer.Param(), {"OnSelChanged"}, 0, {}},
        {"", fs, BFFM_VALIDATEFAILEDA, typedText, {"OnValidateFailed no such folder"}, 1, {}},
        {"", fs, BFFM_VALIDATEFAILEDW, typedText, {}, 0, {}},
        {"", fs, BFFM_IUNKNOWN, 0, {"OnIUnknown"}, 0, {}},
        {"", fs, WM_USER, 0, {}, 0, {}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.message << " " << c.flags << " " << c.initialFolder);
        RecordingWindow browser;
        RecordingFolderDialog dialog(kTitle, c.initialFolder, nullptr, c.flags);

        EXPECT_EQ(c.result, Callback(dialog, browser.Handle(), c.message, c.lParam));
        EXPECT_EQ(c.calls, dialog.calls);
        EXPECT_EQ(std::vector<HWND>(c.calls.size(), browser.Handle()), dialog.windowsSeen);
        EXPECT_EQ(nullptr, dialog.m_hBrowseWnd);
        EXPECT_EQ(c.sent, browser.Received());
    }
}

// The shell reports the selection set while initialising from inside that send.
TEST(FolderDialog, NestedCallbackLeavesTheOuterWindowInPlace)
{
    class Nesting : public RecordingFolderDialog
    {
      public:
        using RecordingFolderDialog::RecordingFolderDialog;
        HWND afterNested = nullptr;

      protected:
        void OnInitialized() override
        {
            Callback(*this, m_hBrowseWnd, BFFM_SELCHANGED, 0);
            afterNested = m_hBrowseWnd;
        }
    };
    RecordingWindow browser;
    Nesting dialog(kTitle, nullptr, nullptr, 0);

    Callback(dialog, browser.Handle(), BFFM_INITIALIZED, 0);

    EXPECT_EQ(browser.Handle(), dialog.afterNested);
    EXPECT_EQ(nullptr, dialog.m_hBrowseWnd);
}

namespace
{
// Presses a button of the real browser as soon as it is up.
class AnsweringFolderDialog : public RecordingFolderDialog
{
  public:
    AnsweringFolderDialog(LPCSTR initialFolder, int answer)
        : RecordingFolderDialog(kTitle, initialFolder, nullptr, BIF_RETURNONLYFSDIRS),
          m_answer(answer)
    {
    }

  protected:
    void OnInitialized() override
    {
        RecordingFolderDialog::OnInitialized();
        ::PostMessageA(m_hBrowseWnd, WM_COMMAND, m_answer, 0);
    }

  private:
    int m_answer;
};
} // namespace

TEST(FolderDialog, CancelInTheBrowserChangesNothing)
{
    AnsweringFolderDialog dialog("", IDCANCEL);

    EXPECT_EQ(-1, dialog.DoModal());
    EXPECT_EQ(std::string(MAX_PATH, '\0'), std::string(dialog.m_szSelectedPath, MAX_PATH));
    EXPECT_EQ(nullptr, dialog.m_hBrowseWnd);
}

TEST(FolderDialog, ChosenFolderComesBackAsItsPath)
{
    const std::string windows = KnownFolderItem(CSIDL_WINDOWS).Path();
    AnsweringFolderDialog dialog(windows.c_str(), IDOK);

    ASSERT_EQ(1, dialog.DoModal());
    EXPECT_EQ(0, lstrcmpiA(windows.c_str(), dialog.m_szSelectedPath)) << dialog.m_szSelectedPath;
    EXPECT_STRNE("", dialog.m_browseInfo.pszDisplayName);
    EXPECT_EQ(nullptr, dialog.m_hBrowseWnd);
}
