#include "plan/backup_script.h"
#include "platform/file_system.h"
#include "tests/native/test_support.h"

#include <gtest/gtest.h>

namespace
{

const std::string kBatch = "C:\\Program Files\\Corvane Software\\Corvane Backup\\backup.bat";

std::string Script(const BackupSelection& selection, const std::string& batch = kBatch)
{
    return ComposeBackupScript(PlanBackup(selection, [](const std::string&) { return false; }),
                               batch);
}

std::string Compose(std::vector<std::string> sources, const std::string& ticks)
{
    return Script(Selection(std::move(sources), "E:\\Backup", ticks));
}

} // namespace

// Every box ticked but "modified only"; the two automation boxes change nothing.
TEST(BackupScript, EveryBlockInOrderThenTheModifiedSwitch)
{
    const std::string script = Compose({"C:\\Data"}, "1111111110");
    EXPECT_EQ(R"(xcopy /d /y /s /C /I /h "C:\Data" "E:\Backup"
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
erase "C:\Program Files\Corvane Software\Corvane Backup\backup.bat")",
              script);

    // " /M" follows every "xcopy" but the system line's, which copies all.
    std::string modified = Compose({"C:\\Data"}, "1111111111");
    size_t switches = 0;
    for (size_t at = modified.find("xcopy /M "); at != std::string::npos;
         at = modified.find("xcopy /M ", at), ++switches)
        modified.erase(at + 5, 3);
    EXPECT_EQ(39u, switches);
    EXPECT_EQ(script, modified);
}

// One source copies straight into the destination; two or more each into a
// folder of their own there, block by block in list order.
TEST(BackupScript, EverySourceIsCopiedInListOrder)
{
    const std::string sep(1, platform::kPathSeparator);
    const auto video = [](const std::string& source, const std::string& into) {
        std::string lines;
        for (const char* suffix : {"AVI", "MPEG", "MPG", "M1V", "WMV"})
            lines +=
                "xcopy /M /d /y /s /C /I \"" + source + "\\*" + suffix + "\" \"" + into + "\"\n";
        return lines;
    };
    const std::string system =
        "xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" \"E:\\Backup\\systemstate\"\n";
    const std::string erase = "erase \"" + kBatch + "\"";
    // System State, Video and modified only.
    EXPECT_EQ(system + video("D:\\Clips", "E:\\Backup") + erase,
              Compose({"D:\\Clips"}, "0000010011"));
    EXPECT_EQ(system + video("C:\\Data", "E:\\Backup" + sep + "Data") +
                  video("D:\\Clips", "E:\\Backup" + sep + "Clips") + erase,
              Compose({"C:\\Data", "D:\\Clips"}, "0000010011"));

    // All File Types and Hidden, as only a stored selection can tick them.
    const std::string everything = "xcopy /d /y /s /C /I /h \"C:\\Data\" \"E:\\Backup" + sep +
                                   "Data\"\nattrib -h \"E:\\Backup" + sep + "Data\"\n" +
                                   "xcopy /d /y /s /C /I /h \"C:\\\" \"E:\\Backup" + sep +
                                   "C\"\nattrib -h \"E:\\Backup" + sep + "C\"\n";
    EXPECT_EQ(everything + everything + erase, Compose({"C:\\Data", "C:\\"}, "1000000100"));
}

// The interpreter expands "%name%" even inside quotes.
TEST(BackupScript, UserPathsMeanWhatTheUserTyped)
{
    const BackupSelection selection =
        Selection({"C:\\100%\\Caf\xE9"}, "E:\\%USERNAME%", "0000000110");
    EXPECT_EQ(
        "xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" \"E:\\%%USERNAME%%\\systemstate\"\n"
        "xcopy /d /y /s /C /I /h \"C:\\100%%\\Caf" +
            kBatchE +
            "\" \"E:\\%%USERNAME%%\"\n"
            "attrib -h \"E:\\%%USERNAME%%\"\n"
            "erase \"D:\\50%%\\backup.bat\"",
        Script(selection, "D:\\50%\\backup.bat"));
}
