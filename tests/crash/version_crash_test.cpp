// Kills a process that replaces a copy keeping versions over and over, at
// random moments, and checks after each kill that the copy and every version
// is whole, that the content the replacement displaced is still whole under
// one of its names (the copy's place, or a version), and that a copy the
// kill left missing (between the two renames of a swap) is put back. A
// temporary left behind shows that the kill struck inside a replacement: at
// least a tenth of the kills must.
//   version_crash_test KILLS             the test; prints the counts
//   version_crash_test replace ROUND DIR the replacer it starts and kills
#include "companions/versions.h"
#include "platform/unfinished_copy.h"
#include "tests/crash/killed_process.h"
#include "tests/native/support/install.h"
#include "tests/native/support/paths.h"

#include <cstdio>
#include <fstream>
#include <optional>
#include <random>
#include <set>

namespace
{

namespace fs = std::filesystem;

// Each round's content, of many chunks, named by its first and last line,
// which are all a round changes in the file: the copy takes most of a round.
std::string Line(int round)
{
    char line[32];
    std::snprintf(line, sizeof line, "round %09d\n", round);
    return line;
}

std::string Content(int round)
{
    static const std::string chunks(256 * 8192, 'c');
    return Line(round) + chunks + Line(round);
}

// The round whose content the file holds whole.
std::optional<int> RoundOf(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string bytes(Content(0).size(), '\0');
    std::error_code error;
    if (fs::file_size(file, error) != bytes.size() || !in.read(bytes.data(), bytes.size()))
        return std::nullopt;
    const int round = std::atoi(bytes.c_str() + 6);
    return bytes == Content(round) ? std::optional(round) : std::nullopt;
}

// Each round's content into the source, two seconds later each round, and
// over the copy.
[[noreturn]] void Replace(int round, const std::string& folder)
{
    const std::string source = folder + P("/report.doc");
    std::ofstream(source, std::ios::binary) << Content(round);
    for (const auto start = fs::file_time_type::clock::now();; ++round)
    {
        std::fstream file(source, std::ios::binary | std::ios::in | std::ios::out);
        file << Line(round);
        file.seekp(-static_cast<std::streamoff>(Line(round).size()), std::ios::end) << Line(round);
        file.close();
        fs::last_write_time(source, start + std::chrono::seconds(2 * round));
        companions::CopyKeepingVersion(source, folder + P("/b"), folder + P("/b/C/report.doc"),
                                       platform::LocalFiles());
        std::ofstream(StartedMarkOf(folder)).flush();
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "replace")
        Replace(std::stoi(argv[2]), argv[3]);
    const int kills = argc == 2 ? std::stoi(argv[1]) : 100;
    const Install folder;
    const std::string destination = folder.PathOf("b"), copy = folder.PathOf(P("b/C/report.doc"));
    fs::create_directories(destination);
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> moment(0, 30000);
    // The round at the copy's place.
    int current = 0, torn = 0, lost = 0, inReplacement = 0, putBack = 0;
    for (int kill = 0; kill < kills; ++kill)
    {
        KillAWorkerAfter({"replace", std::to_string(current + 1), folder.Path()}, moment(random));
        std::set<int> versions;
        std::error_code none;
        for (const auto& entry :
             fs::directory_iterator(folder.PathOf(P("b/Corvane Backup versions/C")), none))
        {
            const std::optional<int> round = RoundOf(entry.path().string());
            torn += !round;
            versions.insert(round.value_or(-1));
        }
        const std::string temporary = platform::UnfinishedCopyOf(copy);
        const bool copyThere = fs::exists(copy);
        const std::optional<int> copied = RoundOf(copy), brought = RoundOf(temporary);
        torn += copyThere && !copied;
        inReplacement += fs::exists(temporary);
        // The copy displaced its predecessor, now its newest version; or the
        // kill struck between the renames of a swap: the old content is a
        // version, the new one whole at the temporary.
        const int displaced = copied ? *copied - 1 : brought ? *brought - 1 : -1;
        lost += displaced != 0 && !versions.count(displaced);
        if (!copyThere)
        {
            companions::PutBackMissingCopy(destination, copy, platform::LocalFiles());
            lost += RoundOf(copy) != displaced;
            ++putBack;
        }
        current = RoundOf(copy).value_or(current);
        // Removed once seen, so that each one found was being written when
        // this kill struck.
        fs::remove(temporary, none);
    }
    fs::remove(StartedMarkOf(folder.Path()));
    const bool enough = inReplacement * 10 >= kills;
    std::printf("%d kills of a process replacing a copy keeping versions: %d torn, %d lost, %d "
                "put back; %d struck inside a replacement%s\n",
                kills, torn, lost, putBack, inReplacement,
                enough ? "" : " (too few: at least a tenth must)");
    return torn == 0 && lost == 0 && enough ? 0 : 1;
}
