#include "flows/save_store.h"
#include "plan/batch_text.h"
#include "tests/native/test_support.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

// Names as Windows hands them to an ANSI program, through the real
// conversions: each kind of character the batch cannot carry is refused.
TEST(BatchNames, LookAlikesThatBreakTheBatchAreRefused)
{
#ifndef _WIN32
    GTEST_SKIP() << "the ANSI and OEM code pages are Windows' own";
#else
    const std::pair<const wchar_t*, bool> names[] = {
        {L"C:\\Caf\u00e9 100%", true},
        {L"C:\\\u201cFinal\u201d", false}, // a straight quote in the OEM code page
        {L"C:\\\uff02Final", false},       // a straight quote already in ANSI
        {L"C:\\Price \u20ac", false},      // "?" in the OEM code page
        {L"C:\\\u4e2d\u6587", false},      // "?" already in ANSI
    };
    for (const auto& [wide, carried] : names)
    {
        char ansi[MAX_PATH] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, MAX_PATH, nullptr, nullptr);
        EXPECT_EQ(carried, CanCarryInBatch(ansi)) << ansi;
    }
#endif
}

// The save keeps names the batch cannot carry, which are valid text in the
// store, but writes no mod.bat for such a destination. (The run refuses them:
// see RunBackup.)
TEST(BatchNames, SaveKeepsThem)
{
    Install install;
    install.Write({{"mod.bat", "old"}, {"cataloged", ""}});
    const BackupSelection selection =
        Selection({"C:\\a", "C:\\b|c", "C:\\d*"}, "E:\\Nowhere<", "1010000000");
    EXPECT_EQ(flows::SaveOutcome::Saved,
              flows::SaveStore(selection, install.Directory(), install.prompt));
    EXPECT_EQ(std::vector<Message>{Error("Error Cannot Save Settings To " + install.Path() +
                                         " \nDetails:Some settings were not saved")},
              install.prompt.shown);
    EXPECT_FALSE(install.Exists("mod.bat"));
    EXPECT_EQ("C:\\a\r\nC:\\b|c\r\nC:\\d*\r\n", install.Read("filestobackup.bck"));
}
