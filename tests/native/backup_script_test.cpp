#include "backup/backup_script.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace
{

const std::string kBatch = "C:\\Program Files\\Corvane Software\\Corvane Backup\\backup.bat";

BackupSelection Selection(std::vector<std::string> sources, std::string destination,
                          std::initializer_list<OptionFlag> ticked)
{
    BackupSelection selection;
    selection.sources = std::move(sources);
    selection.destination = std::move(destination);
    for (const OptionFlag flag : ticked)
        selection.SetTicked(flag, true);
    return selection;
}

std::size_t Count(const std::string& text, const std::string& piece)
{
    std::size_t count = 0;
    for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

// Every box but "modified only" ticked; the two automation boxes change nothing.
const std::initializer_list<OptionFlag> kEveryScriptFlag = {
    OptionFlag::AllFileTypes,   OptionFlag::AutoBackupOnShutdown,
    OptionFlag::BackupOnModify, OptionFlag::Pictures,
    OptionFlag::AudioMusic,     OptionFlag::Video,
    OptionFlag::Documents,      OptionFlag::Hidden,
    OptionFlag::SystemState};

const std::string kEveryBlockScript = R"(xcopy /d /y /s /C /I /h "C:\Data" "E:\Backup"
attrib -h "E:\Backup"
xcopy /d /y /s /C /I /h  "%systemroot%\SYSTEM32" "E:\Backup\systemstate"
xcopy /d /y /s /C /I "C:\Data\*JPG" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*JPEG" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*JPE" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*BMP" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*RLE" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*DIB" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*GIF" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PSD" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PDD" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*EPS" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*FLM" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PCD" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PCT" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PICT" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PXR" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PNG" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*TIF" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*TIFF" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*MP3" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*WMA" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*WAV" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*CDA" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*MP2" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*SND" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*AVI" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*MPEG" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*MPG" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*M1V" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*WMV" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*DOC" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*XLS" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*XLW" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*TXT" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*MCW" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*WPD" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*WPS" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*RTF" "E:\Backup"
xcopy /d /y /s /C /I /h "C:\Data" "E:\Backup"
attrib -h "E:\Backup"
erase "C:\Program Files\Corvane Software\Corvane Backup\backup.bat")";

} // namespace

TEST(BackupScript, EveryBlockInOrderForOneSource)
{
    const std::string script =
        ComposeBackupScript(Selection({"C:\\Data"}, "E:\\Backup", kEveryScriptFlag), kBatch);
    EXPECT_EQ(kEveryBlockScript, script);
    EXPECT_EQ(42u, Count(script, "\n")); // 43 lines, the last without a line end
}

TEST(BackupScript, ModifiedOnlyPutsSwitchOnEveryCopyButTheSystemLine)
{
    BackupSelection selection = Selection({"C:\\Data"}, "E:\\Backup", kEveryScriptFlag);
    selection.SetTicked(OptionFlag::ModifiedOnly, true);
    const std::string script = ComposeBackupScript(selection, kBatch);

    EXPECT_EQ(39u, Count(script, "xcopy /M /d /y /s /C /I "));
    EXPECT_EQ(1u, Count(script, "xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\""));
    std::string withoutSwitch = script;
    for (auto at = withoutSwitch.find(" /M"); at != std::string::npos;
         at = withoutSwitch.find(" /M"))
        withoutSwitch.erase(at, 3);
    EXPECT_EQ(kEveryBlockScript, withoutSwitch);
}

TEST(BackupScript, EverySourceIsCopiedInListOrder)
{
    const std::string systemLine =
        "xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" \"E:\\Backup\\systemstate\"\n";
    const auto videoLines = [](const std::string& source) {
        std::string lines;
        for (const char* suffix : {"AVI", "MPEG", "MPG", "M1V", "WMV"})
            lines += "xcopy /M /d /y /s /C /I \"" + source + "\\*" + suffix + "\" \"E:\\Backup\"\n";
        return lines;
    };
    const std::string erase = "erase \"" + kBatch + "\"";
    const auto flags = {OptionFlag::SystemState, OptionFlag::Video, OptionFlag::ModifiedOnly};

    EXPECT_EQ(systemLine + videoLines("D:\\Clips") + erase,
              ComposeBackupScript(Selection({"D:\\Clips"}, "E:\\Backup", flags), kBatch));
    EXPECT_EQ(
        systemLine + videoLines("C:\\Data") + videoLines("D:\\Clips") + erase,
        ComposeBackupScript(Selection({"C:\\Data", "D:\\Clips"}, "E:\\Backup", flags), kBatch));
}

TEST(BackupScript, CopyEverythingBlocksRepeatPerSourceBeforeAndAfterTheOthers)
{
    const BackupSelection selection =
        Selection({"C:\\Data", "C:\\"}, "E:\\Backup",
                  {OptionFlag::AllFileTypes, OptionFlag::Hidden, OptionFlag::AudioMusic});
    const std::string copyBoth = "xcopy /d /y /s /C /I /h \"C:\\Data\" \"E:\\Backup\"\n"
                                 "attrib -h \"E:\\Backup\"\n"
                                 "xcopy /d /y /s /C /I /h \"C:\\\" \"E:\\Backup\"\n"
                                 "attrib -h \"E:\\Backup\"\n";
    std::string audio;
    for (const std::string source : {"C:\\Data\\", "C:\\\\"})
        for (const char* suffix : {"*MP3", "*WMA", "*WAV", "*CDA", "*MP2", "*SND"})
            audio += "xcopy /d /y /s /C /I \"" + source + suffix + "\" \"E:\\Backup\"\n";
    EXPECT_EQ(copyBoth + audio + copyBoth + "erase \"" + kBatch + "\"",
              ComposeBackupScript(selection, kBatch));
}

TEST(BackupScript, PercentSignsOfUserPathsAreDoubled)
{
    const BackupSelection selection =
        Selection({"C:\\100%\\%TEMP%"}, "E:\\%USERNAME%",
                  {OptionFlag::AllFileTypes, OptionFlag::SystemState, OptionFlag::Documents});
    const std::string script = ComposeBackupScript(selection, "D:\\50%\\backup.bat");
    EXPECT_EQ(0u, script.find("xcopy /d /y /s /C /I /h \"C:\\100%%\\%%TEMP%%\" "
                              "\"E:\\%%USERNAME%%\"\n"
                              "attrib -h \"E:\\%%USERNAME%%\"\n"
                              "xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" "
                              "\"E:\\%%USERNAME%%\\systemstate\"\n"
                              "xcopy /d /y /s /C /I \"C:\\100%%\\%%TEMP%%\\*DOC\" "
                              "\"E:\\%%USERNAME%%\"\n"));
    EXPECT_EQ(9u, Count(script, "%%TEMP%%"));
    EXPECT_EQ(11u, Count(script, "%%USERNAME%%"));
    EXPECT_NE(std::string::npos, script.rfind("\nerase \"D:\\50%%\\backup.bat\""));
}

#ifdef _WIN32
// The interpreter reads batch files in the OEM code page: an "é" of the ANSI
// code page must reach the script as the OEM byte for the same letter.
TEST(BackupScript, NonAsciiPathsAreInTheOemCodePage)
{
    const std::string ansiSource = "C:\\Caf\xE9";
    std::string oemSource(ansiSource);
    CharToOemBuffA(ansiSource.data(), oemSource.data(), static_cast<DWORD>(ansiSource.size()));
    ASSERT_NE(ansiSource, oemSource);
    if (GetOEMCP() == 437 || GetOEMCP() == 850)
    {
        EXPECT_EQ('\x82', oemSource.back());
    }

    const BackupSelection selection = Selection({ansiSource}, "E:\\Backup", {OptionFlag::Hidden});
    EXPECT_EQ("xcopy /d /y /s /C /I /h \"" + oemSource +
                  "\" \"E:\\Backup\"\n"
                  "attrib -h \"E:\\Backup\"\n"
                  "erase \"" +
                  kBatch + "\"",
              ComposeBackupScript(selection, kBatch));
}
#endif
