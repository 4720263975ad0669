#include "platform/file_tree.h"
#include "tests/native/support/install.h"
#include "tests/native/support/paths.h"
#include "tests/native/support/symbolic_link.h"
#include "tests/native/support/utf8_paths.h"

#include <atomic>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <thread>
#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

static platform::FileTree& files = platform::LocalFiles();

// The names listed in the folder, or those that begin with `prefix`.
static std::set<std::string> Listed(const std::string& folder, std::string_view prefix = {})
{
    std::set<std::string> names;
    const auto visit = [&](std::string_view name, const platform::FileFacts&) {
        names.insert(std::string(name));
    };
    prefix.empty() ? files.List(folder, visit) : files.ListStartingWith(folder, prefix, visit);
    return names;
}

// This platform's copy takes a file of many chunks that the user's program
// holds open for writing, byte for byte; it keeps the last-write time, and
// leaves no file of its own behind nor touches the user's own "*.part".
TEST(LocalFiles, CopyTakesAHeldFileWholeAndLeavesNothingElse)
{
    Install folder;
    const std::string source = folder.PathOf("a.txt"), copy = folder.PathOf(P("dest/sub/a.txt"));
    // Every chunk differs: a read at the wrong place gives the right size and
    // the wrong bytes.
    std::string content;
    for (int chunk = 0; content.size() < (3 << 20); ++chunk)
        content += std::to_string(chunk) + std::string(4090, static_cast<char>('a' + chunk % 26));
    folder.Write("a.txt", content);
    fs::last_write_time(source, fs::file_time_type::clock::now() - std::chrono::hours(30));
    fs::create_directories(folder.PathOf(P("dest/sub")));
    folder.Write(P("dest/sub/a.txt.part"), "the user's download");
    {
        std::ofstream held(source, std::ios::binary | std::ios::app);
        ASSERT_EQ(platform::CopyResult::Copied, files.Copy(source, copy));
    }
    EXPECT_TRUE(content == folder.Read(P("dest/sub/a.txt")));
    EXPECT_EQ(files.Facts(source)->lastWrite, files.Facts(copy)->lastWrite);
    EXPECT_EQ("the user's download", folder.Read(P("dest/sub/a.txt.part")));
    EXPECT_EQ(2, std::distance(fs::directory_iterator(folder.PathOf(P("dest/sub"))), {}));
    EXPECT_TRUE(files.ClearArchive(copy));
    EXPECT_EQ(platform::CopyResult::Failed, files.Copy(folder.PathOf("gone.txt"), copy + "2"));
    EXPECT_FALSE(fs::exists(copy + "2"));
}

// The companions' UTF-8 names a file of any alphabet: written, copied, listed
// (by the start of a name in another letter case too) and read as it is.
TEST(LocalFiles, NamesFilesOfEveryAlphabetInUtf8)
{
    const Utf8Paths utf8;
    Install folder;
    std::set<std::string> made;
    for (const std::string& name : kWorldNames)
    {
        const std::string path = folder.Path() + kSep + name;
        ASSERT_TRUE(files.Replace(path, name)) << name;
        ASSERT_EQ(platform::CopyResult::Copied, files.Copy(path, path + ".copy")) << name;
        EXPECT_EQ(name, std::string(files.Read(path + ".copy").bytes.get(), name.size()));
        made.insert({name, name + ".copy"});
    }
    EXPECT_EQ(made, Listed(folder.Path()));
    EXPECT_EQ(1u, Listed(folder.Path(), "ОТЧЁТ").count(kWorldNames[0]));
}

// A copy over an older one keeps the old one under its other name in the
// same step; a name that is taken, or a file another program holds open,
// leaves both as they were.
TEST(LocalFiles, CopyKeepsTheFileItReplaces)
{
    Install folder;
    folder.Write("new.txt", "new");
    folder.Write("copy.txt", "old");
    const std::string copy = folder.PathOf("copy.txt"), kept = folder.PathOf("copy (1).txt");
    EXPECT_EQ(platform::CopyResult::Copied, files.Copy(folder.PathOf("new.txt"), copy, kept));
    EXPECT_EQ("new", folder.Read("copy.txt"));
    EXPECT_EQ("old", folder.Read("copy (1).txt"));
    // Listed by the start of its name, in any case, the kept one is there.
    EXPECT_EQ(std::set<std::string>{"copy (1).txt"}, Listed(folder.Path(), "COPY ("));
    folder.Write("newer.txt", "newer");
    EXPECT_EQ(platform::CopyResult::NotKept, files.Copy(folder.PathOf("newer.txt"), copy, kept));
    // Nor where the other name's folder is missing.
    EXPECT_EQ(platform::CopyResult::NotKept,
              files.Copy(folder.PathOf("newer.txt"), copy, folder.PathOf(P("gone/copy.txt"))));
    EXPECT_EQ("new", folder.Read("copy.txt"));
    EXPECT_EQ("old", folder.Read("copy (1).txt"));
    // Nothing to keep: the copy is simply made.
    EXPECT_EQ(platform::CopyResult::Copied,
              files.Copy(folder.PathOf("new.txt"), folder.PathOf("first.txt"), kept + "2"));
    EXPECT_FALSE(fs::exists(kept + "2"));
    EXPECT_TRUE(files.Remove(kept));
    EXPECT_EQ(4, std::distance(fs::directory_iterator(folder.Path()), {}));
#ifdef _WIN32
    // Held open without sharing deletion, as an editor holds a document.
    const HANDLE held =
        CreateFileA(copy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(platform::CopyResult::TargetBusy, files.Copy(folder.PathOf("newer.txt"), copy));
    EXPECT_EQ(platform::CopyResult::TargetBusy, files.Copy(folder.PathOf("newer.txt"), copy, kept));
    EXPECT_TRUE(files.HeldByAnotherProgram(copy));
    CloseHandle(held);
    EXPECT_FALSE(files.HeldByAnotherProgram(copy));
    EXPECT_EQ("new", folder.Read("copy.txt"));
    EXPECT_FALSE(fs::exists(kept));
#endif
}

// The room left on a volume is told; a folder that is not there tells none.
TEST(LocalFiles, TellsTheRoomLeftOnAVolume)
{
    Install folder;
    EXPECT_GT(files.FreeSpace(folder.Path()).value_or(0), 0u);
    EXPECT_FALSE(files.FreeSpace(folder.PathOf("gone")));
}

// The user's program, writing the file in place or saving a new one in its
// place, is never blocked by a copy; a file that changed while it was read is
// busy and leaves the old copy as it was.
TEST(LocalFiles, CopyNeverBlocksTheWriterNorTakesAChangingFile)
{
    Install folder;
    const std::string source = folder.PathOf("held.txt"), copy = folder.PathOf("copy.txt");
    folder.Write("copy.txt", "old copy");
    // Large enough that the writer works while the bytes are read. It only
    // appends, so every state the file passes through begins the last one.
    std::string content(8 << 20, 'x');
    folder.Write("held.txt", content);
    std::atomic<bool> done{false};
    int blocked = 0;
    std::thread writer([&] {
        for (int round = 0; !done; ++round)
        {
            // In place, then as ReplaceFile saves: the old file moved away and
            // a new one moved in (a rename over a file held open fails on Windows).
            std::error_code error;
            std::ofstream(source, std::ios::binary | std::ios::app) << "more";
            blocked += fs::file_size(source, error) != (content += "more").size();
            std::ofstream(folder.PathOf("saved.tmp"), std::ios::binary) << (content += "more");
            const std::string away = folder.PathOf(std::to_string(round));
            fs::rename(source, away, error);
            if (!error)
                fs::rename(folder.PathOf("saved.tmp"), source, error);
            fs::remove(away, error);
            blocked += fs::file_size(source, error) != content.size();
        }
    });
    const platform::CopyResult result = files.Copy(source, copy);
    done = true;
    writer.join();
    EXPECT_EQ(0, blocked);
    // Copied, one whole state of the file; or busy, or missing for the moment
    // of a save, and the old copy stays.
    const std::string copied = folder.Read("copy.txt");
    EXPECT_TRUE(result == platform::CopyResult::Copied
                    ? copied.size() >= (8 << 20) && content.compare(0, copied.size(), copied) == 0
                    : copied == "old copy")
        << copied.size();
    EXPECT_FALSE(fs::exists(copy + ".corvane-part"));
#ifdef __linux__
    // Bytes that are not what the file's size said when the copy began (a
    // file of /proc says 0 and holds more) are never taken for the file.
    folder.Write("copy.txt", "old copy");
    EXPECT_EQ(platform::CopyResult::SourceBusy, files.Copy("/proc/self/status", copy));
    EXPECT_EQ("old copy", folder.Read("copy.txt"));
#endif
}

// An elevated write never passes through a folder that someone with fewer
// rights planted as a link below the root, nor swaps one in while it writes.
TEST(LocalFiles, FoldersBelowARootFollowNoPlantedLink)
{
    Install folder, elsewhere;
    std::unique_ptr<platform::HeldFolders> held =
        files.MakeFoldersBelow(folder.Path(), folder.PathOf(P("made/sub/")));
    EXPECT_TRUE(held && fs::is_directory(folder.PathOf(P("made/sub"))));
#ifdef _WIN32
    // Held until the file is in place: nobody swaps a folder for a junction
    // meanwhile.
    const std::string made = folder.PathOf("made"), moved = folder.PathOf("moved");
    EXPECT_FALSE(MoveFileA(made.c_str(), moved.c_str()));
    held.reset();
    EXPECT_TRUE(MoveFileA(made.c_str(), moved.c_str()));
#endif

    const Link planted(elsewhere.Path(), folder.PathOf("planted"), true);
    if (!planted)
        GTEST_SKIP() << "no symbolic link can be made here";
    EXPECT_FALSE(files.MakeFoldersBelow(folder.Path(), folder.PathOf(P("planted/sub"))));
    EXPECT_FALSE(fs::exists(elsewhere.PathOf("sub")));
}

// Nor through a link planted in the place of a replaced file's temporary.
TEST(LocalFiles, AReplacedFileFollowsNoPlantedTemporary)
{
    Install folder;
    folder.Write("victim.txt", "kept");
    const Link temporary(folder.PathOf("victim.txt"), folder.PathOf("store.dat.tmp"), false);
    if (!temporary)
        GTEST_SKIP() << "Wine shows a link to a file as the file, and deletes what it points to";
    EXPECT_TRUE(files.Replace(folder.PathOf("store.dat"), std::string_view("new")));
    EXPECT_EQ("new", folder.Read("store.dat"));
    EXPECT_EQ("kept", folder.Read("victim.txt"));
}
