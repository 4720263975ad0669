#include "companions/expected_files.h"
#include "companions/verdict.h"
#include "tests/native/support/disk_backup.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/paths.h"
#include "tests/native/support/utf8_paths.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace
{

// The paths below the source of the files expected, in name order.
std::vector<std::string> Expected(const Backup& backup, const std::string& ticks)
{
    std::vector<std::string> names;
    for (const companions::ExpectedFile& file :
         companions::ListExpectedFiles(backup.Plan(ticks), platform::LocalFiles()))
    {
        EXPECT_EQ(file.copyPath.substr(backup.destination.Path().size()),
                  file.sourcePath.substr(backup.source.Path().size()));
        names.push_back(file.sourcePath.substr(backup.source.Path().size() + 1));
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// Each type option expects the names that end with one of its patterns, in
// any letter case and in every subfolder, and nothing of the other types.
// Without /h, xcopy passes over hidden files and everything in hidden
// folders; the lines with /h (All File Types, Hidden) take them all.
TEST(ExpectedFiles, EachOptionExpectsWhatItsXcopyLinesTake)
{
    const std::string music = "Music" + kSep, deep = "A" + kSep + "B" + kSep;
    const std::string hidden[] = {".folder" + kSep + "inside.jpg", ".unseen.jpg",
                                  "sub" + kSep + ".deep.jpg"};
    // In name order.
    const std::vector<std::string> all = {hidden[0],  hidden[1], deep + "c.WMV", music + "b.mp3",
                                          "a.Jpeg",   "d.rtf",   "e.Doc",        "notes.docx",
                                          "photoPNG", hidden[2]};
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"0001000000", {"a.Jpeg", "photoPNG"}},
        {"0000100000", {music + "b.mp3"}},
        {"0000010000", {deep + "c.WMV"}},
        {"0000001000", {"d.rtf", "e.Doc"}},
        {"0001000100", all},
        {"1000000000", all},
    };
    Backup backup;
    for (const std::string& name : all)
        backup.Make(backup.source, name);
    // Never a file of the backup: an unfinished copy, the versions of an
    // earlier backup.
    backup.Make(backup.source, "cut.jpg.corvane-part");
    backup.Make(backup.source, "Corvane Backup versions" + kSep + "a (2026-01-01 00-00-00).Jpeg");
    for (const auto& [ticks, names] : cases)
        EXPECT_EQ(names, Expected(backup, ticks)) << ticks;
}

// In the companions' UTF-8 a document of any alphabet is expected, its copy
// found, and one without a copy named as it is.
TEST(ExpectedFiles, NamesOfEveryAlphabetAreExpectedAndJudged)
{
    const Utf8Paths utf8;
    FakeFiles files;
    const std::string source = P("/u/Документы"), dest = P("/b/backup");
    for (const std::string& name : kWorldNames)
    {
        files.AddFile(source + kSep + name, 100);
        files.AddFile(dest + kSep + name, 100);
    }
    files.AddFile(source + kSep + "Песня.mp3", 100);
    files.AddFile(source + kSep + "ΝΈΟ.DOC", 100);
    companions::VerdictBuilder verdict;
    for (const companions::ExpectedFile& file : companions::ListExpectedFiles(
             PlanBackup(Selection({source}, dest, "0000001000"), files), files))
        verdict.Judged(file, companions::Judge(file, files));
    EXPECT_EQ("1 of 5 files were not backed up.\n" + source + kSep + "ΝΈΟ.DOC\tmissing\n",
              companions::ReportText(verdict.Build(false)));
}
