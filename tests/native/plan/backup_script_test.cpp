#include "plan/backup_script.h"
#include "plan/copy_plan.h"
#include "tests/native/support/batch_letter.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/selection.h"

#include <gtest/gtest.h>
#include <sstream>

namespace
{

// A plan over a tree where no source is a file.
std::string Script(const BackupSelection& selection, const std::string& batch)
{
    FakeFiles files;
    return ComposeBackupScript(PlanBackup(selection, files), batch);
}

} // namespace

// Every box ticked but "modified only": the blocks in their order, each
// suffix once; the two automation boxes change nothing.
TEST(BackupScript, OneSourceWithEveryBlock)
{
    const std::string all = "xcopy /d /y /s /C /I /h \"C:\\Data\" \"E:\\Backup\"\n"
                            "attrib -h \"E:\\Backup\"\n";
    std::string expected = all + "xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" "
                                 "\"E:\\Backup\\systemstate\"\n";
    std::istringstream suffixes("JPG JPEG JPE BMP RLE DIB GIF PSD PDD EPS FLM PCD PCT PICT PXR PNG "
                                "TIF TIFF MP3 WMA WAV CDA MP2 SND AVI MPEG MPG M1V WMV DOC XLS XLW "
                                "TXT MCW WPD WPS RTF");
    for (std::string suffix; suffixes >> suffix;)
        expected += "xcopy /d /y /s /C /I \"C:\\Data\\*" + suffix + "\" \"E:\\Backup\"\n";
    EXPECT_EQ(expected + all +
                  "erase \"C:\\Program Files\\Corvane Software\\Corvane Backup\\backup.bat\"",
              Script(Selection({"C:\\Data"}, "E:\\Backup", "1111111110"),
                     "C:\\Program Files\\Corvane Software\\Corvane Backup\\backup.bat"));
}

// With two or more sources a block repeats its lines for each source in list
// order, each into the source's own folder, and " /M" follows
// every xcopy but the system folder's. A "%" the user typed is doubled: the
// interpreter expands "%name%" even inside quotes.
TEST(BackupScript, SourcesInListOrderAsTheUserTypedThem)
{
    EXPECT_EQ(
        R"(xcopy /d /y /s /C /I /h  "%systemroot%\SYSTEM32" "E:\%%USER%%\systemstate"
xcopy /M /d /y /s /C /I "C:\100%%\*AVI" "E:\%%USER%%\C\100%%"
xcopy /M /d /y /s /C /I "C:\100%%\*MPEG" "E:\%%USER%%\C\100%%"
xcopy /M /d /y /s /C /I "C:\100%%\*MPG" "E:\%%USER%%\C\100%%"
xcopy /M /d /y /s /C /I "C:\100%%\*M1V" "E:\%%USER%%\C\100%%"
xcopy /M /d /y /s /C /I "C:\100%%\*WMV" "E:\%%USER%%\C\100%%"
xcopy /M /d /y /s /C /I "D:\\*AVI" "E:\%%USER%%\D"
xcopy /M /d /y /s /C /I "D:\\*MPEG" "E:\%%USER%%\D"
xcopy /M /d /y /s /C /I "D:\\*MPG" "E:\%%USER%%\D"
xcopy /M /d /y /s /C /I "D:\\*M1V" "E:\%%USER%%\D"
xcopy /M /d /y /s /C /I "D:\\*WMV" "E:\%%USER%%\D"
xcopy /M /d /y /s /C /I /h "C:\100%%" "E:\%%USER%%\C\100%%"
attrib -h "E:\%%USER%%\C\100%%"
xcopy /M /d /y /s /C /I /h "D:\" "E:\%%USER%%\D"
attrib -h "E:\%%USER%%\D"
erase "D:\50%%\backup.bat")",
        Script(Selection({"C:\\100%", "D:\\"}, "E:\\%USER%", "0000010111"), "D:\\50%\\backup.bat"));
}

// With several sources every file goes to the mirror of its own path: the
// drive letter as written, "UNC" for a share (a mapped drive by its share),
// "other" for neither. A file entry copies into the mirror of its folder,
// which is made first (xcopy asks "file or directory?" for a missing one); a
// file entry that is not there counts as a folder. A drive-root destination
// joins with one backslash, but for the System State line's own text. The
// text is in the OEM code page.
TEST(BackupScript, EveryFileGoesToTheMirrorOfItsPath)
{
    const std::vector<std::string> sources = {
        "C:\\Caf\xE9",       "D:\\Work\\Docs\\", "D:\\",       "C:\\Notes\\a.txt", "c:\\50%\\b.txt",
        "\\\\srv\\share\\x", "M:\\Mapped",       "\\odd:name", "C:\\gone.txt"};
    FakeFiles files;
    files.AddFile("C:\\Notes\\a.txt", 0);
    files.AddFile("c:\\50%\\b.txt", 0);
    files.universal["M:"] = "\\\\nas\\home";
    const auto line = [](const std::string& source, const std::string& folder) {
        return "xcopy /d /y /s /C /I /h \"" + source + "\" \"E:\\" + folder +
               "\"\nattrib -h \"E:\\" + folder + "\"\n";
    };
    EXPECT_EQ(
        "md \"E:\\C\\Notes\" 2>nul\nmd \"E:\\c\\50%%\" 2>nul\n" +
            line("C:\\Caf" + kBatchE, "C\\Caf" + kBatchE) + line(sources[1], "D\\Work\\Docs") +
            line(sources[2], "D") + line(sources[3], "C\\Notes") +
            line("c:\\50%%\\b.txt", "c\\50%%") + line(sources[5], "UNC\\srv\\share\\x") +
            line(sources[6], "UNC\\nas\\home\\Mapped") + line(sources[7], "other\\oddname") +
            line(sources[8], "C\\gone.txt") +
            "xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" \"E:\\\\systemstate\"\n"
            "erase \"x\"",
        ComposeBackupScript(PlanBackup(Selection(sources, "E:\\", "1000000010"), files), "x"));
}
