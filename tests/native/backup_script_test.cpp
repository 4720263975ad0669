#include "plan/backup_script.h"
#include "tests/native/test_support.h"

#include <gtest/gtest.h>

namespace
{

std::string Script(const BackupSelection& selection, const std::string& batch)
{
    return ComposeBackupScript(PlanBackup(selection, [](const std::string&) { return false; }),
                               batch);
}

} // namespace

// Every box ticked but "modified only": the blocks in their order, each
// suffix once; the two automation boxes change nothing.
TEST(BackupScript, OneSourceWithEveryBlock)
{
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
              Script(Selection({"C:\\Data"}, "E:\\Backup", "1111111110"),
                     "C:\\Program Files\\Corvane Software\\Corvane Backup\\backup.bat"));
}

// A block repeats its lines for each source in list order, and " /M" follows
// every xcopy but the system folder's. A "%" the user typed is doubled (the
// interpreter expands "%name%" even inside quotes) and the text is in the OEM
// code page.
TEST(BackupScript, SourcesInListOrderAsTheUserTypedThem)
{
    EXPECT_EQ(
        R"(xcopy /M /d /y /s /C /I /h "C:\100%%" "E:\%%USER%%"
attrib -h "E:\%%USER%%"
xcopy /M /d /y /s /C /I /h "D:\" "E:\%%USER%%"
attrib -h "E:\%%USER%%"
xcopy /d /y /s /C /I /h  "%systemroot%\SYSTEM32" "E:\%%USER%%\systemstate"
xcopy /M /d /y /s /C /I "C:\100%%\*AVI" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "C:\100%%\*MPEG" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "C:\100%%\*MPG" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "C:\100%%\*M1V" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "C:\100%%\*WMV" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "D:\\*AVI" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "D:\\*MPEG" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "D:\\*MPG" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "D:\\*M1V" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "D:\\*WMV" "E:\%%USER%%"
xcopy /M /d /y /s /C /I /h "C:\100%%" "E:\%%USER%%"
attrib -h "E:\%%USER%%"
xcopy /M /d /y /s /C /I /h "D:\" "E:\%%USER%%"
attrib -h "E:\%%USER%%"
erase "D:\50%%\backup.bat")",
        Script(Selection({"C:\\100%", "D:\\"}, "E:\\%USER%", "1000010111"), "D:\\50%\\backup.bat"));
    const std::string to = "\"E:\\B\"\n";
    EXPECT_EQ("xcopy /d /y /s /C /I /h \"C:\\Caf" + kBatchE + "\" " + to + "attrib -h " + to +
                  "erase \"x\"",
              Script(Selection({"C:\\Caf\xE9"}, "E:\\B", "0000000100"), "x"));
}
