// The resident agent that the installer starts: the catalog that copy on save
// needs, copy on save itself, the daily catch-up after a resume, then the
// backup at the end of the session.
#include "tests/e2e/driver.h"

namespace e2e
{
namespace
{

// The file's last-write time on the local clock of its day, as a version's
// name carries it.
std::string LocalWriteStamp(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    SYSTEMTIME universal{}, local{};
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToSystemTime(&data.ftLastWriteTime, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local))
        return "<missing>";
    char stamp[32];
    snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d-%02d-%02d", local.wYear, local.wMonth,
             local.wDay, local.wHour, local.wMinute, local.wSecond);
    return stamp;
}

// Pictures and Documents of both sources, saved by the window. New, it shows
// both automation boxes ticked; a click on "as soon as modified" unticks it,
// asking to catalog (No), the next ticks it again (Yes: the catalog starts
// and the window saves and ends).
TEST_F(Installed, CatalogCopyOnSaveAndSessionEnd)
{
    CreateSamples();
    {
        Program program;
        HWND window = program.Window();
        ASSERT_TRUE(window);
        ASSERT_NO_FATAL_FAILURE(ChoosePicturesAndDocuments(window));
        for (int answer : {IDNO, IDYES})
        {
            Click(window, IDC_BACKUP_ON_MODIFY);
            EXPECT_EQ(AnswerMessageBox(window, L"Catalog Files", answer).substr(0, 13),
                      "Some Options ");
        }
        EXPECT_EQ(program.Exit(), 0u);
    }
    // The hidden Load.exe of the catalog flow, once the window has ended.
    EXPECT_TRUE(WaitFor([] {
        return fs::exists(InstalledPath("cataloged")) && !fs::exists(InstalledPath("catalog"));
    }));
    ASSERT_TRUE(WaitFor(AgentRuns, kAgentStartMs)) << "the installer started no agent";
    // The agent watches the sources only once it has read the new markers,
    // after two quiet seconds: each round saves a .bin, then a .doc, named in
    // two alphabets, with new bytes, until the .doc's copy shows them. Wine
    // reports changes at the top of a watched folder, not in its older
    // subfolders.
    const std::string fresh = "Свежий 🙂";
    const std::string saved = kSources[1] + "\\" + fresh + ".doc";
    const std::string copy = kBackupFolder + "\\" + CopyOf(1, fresh + ".doc");
    const auto save = [&](const std::string& bytes) {
        WriteBytes(kSources[1] + "\\" + fresh + ".bin", bytes);
        WriteBytes(saved, bytes);
        return WaitFor([&] { return ReadBytes(copy) == bytes; }, 5000);
    };
    int round = 0;
    ASSERT_TRUE(WaitFor([&] { return save("saved " + std::to_string(++round)); }, 60000));
    // Once more, now that the agent surely watches: the .bin, saved before
    // the .doc was copied, is no document; only the saved file was copied,
    // and the copy it replaced is a version, named by its own write time.
    const std::string versions = kBackupFolder + "\\Corvane Backup versions";
    const std::string version =
        versions + "\\" + CopyOf(1, fresh + " (" + LocalWriteStamp(copy) + ").doc");
    const std::string replaced = ReadBytes(copy);
    EXPECT_TRUE(save("saved again"));
    EXPECT_EQ(ReadBytes(version), replaced) << version;
    fs::remove_all(fs::u8path(versions));
    EXPECT_EQ(Copies().size(), 1u);

    // A version put back: the saved file is older than its copy and of
    // another size. The copy is kept, and the day's report says so.
    RewriteNewer(copy, "a newer version");
    WriteBytes(saved, "put back");
    std::string report;
    EXPECT_TRUE(WaitFor([&] { return !(report = TakeReport()).empty(); }));
    EXPECT_EQ(report, "1 of 1 files were not backed up.\r\n" + saved + "\tsize differs\r\n");
    EXPECT_EQ(ReadBytes(copy), "a newer version");

    // A laptop that slept for two days: its last complete backup is that
    // old, and Windows says it resumed. The catch-up backs the selection up
    // as the log-off backup does, and names its report so.
    const std::string reports = kBackupFolder + "\\Corvane Backup reports";
    WriteBytes(std::string(getenv("LOCALAPPDATA")) + "\\Corvane Backup\\last complete backup.txt",
               std::to_string(time(nullptr) - 2 * 24 * 60 * 60) + "\n");
    EXPECT_TRUE(SendMessageTimeoutW(FindWindowW(L"CorvaneBackupAgent", nullptr), WM_POWERBROADCAST,
                                    PBT_APMRESUMEAUTOMATIC, 0, SMTO_ABORTIFHUNG, 5000, nullptr));
    EXPECT_TRUE(WaitFor(
        [&] {
            for (const auto& file : ReadTree(reports))
                if (file.first.size() > 13 &&
                    file.first.substr(file.first.size() - 13) == " catch-up.txt")
                    return true;
            return false;
        },
        60000));
    EXPECT_EQ(TakeReport(), "1 of 11 files were not backed up.\r\n" + saved + "\tsize differs\r\n");

    // Wine sends the end of the session to every top-level window, hidden
    // ones too, and waits for their handlers.
    EXPECT_EQ(Program("wineboot.exe --end-session").Exit(120000), 0u);
    EXPECT_EQ(TakeReport(), "1 of 11 files were not backed up.\r\n" + saved + "\tsize differs\r\n");
    FileTree expected = PictureAndDocumentCopies();
    expected[CopyOf(1, fresh + ".doc")] = "a newer version";
    EXPECT_EQ(Copies(), expected);
}

} // namespace
} // namespace e2e
