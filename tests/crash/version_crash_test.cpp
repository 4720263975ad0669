// Kills a process that replaces a copy keeping versions over and over, at
// random moments, and checks after each kill that the copy and every version
// is whole, that the content the swap replaced and the one it brought are
// each whole under one of their names (the copy's place, a version name, the
// temporary), and that a copy missing after a kill is put back. A temporary
// left behind shows that the kill struck inside a replacement: at least a
// tenth of the kills must.
//   version_crash_test KILLS             the test: prints the counts, fails on
//                                        a torn or lost content or too few
//                                        kills inside a replacement
//   version_crash_test replace ROUND DIR the replacer it starts and kills
#include "companions/versions.h"
#include "platform/unfinished_copy.h"
#include "tests/crash/killed_process.h"
#include "tests/native/support/install.h"
#include "tests/native/support/paths.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>

namespace
{

namespace fs = std::filesystem;

// Each round's content, of many chunks, told apart by its first line and
// its last, which are all a round changes in the file, so that the copy
// takes most of each round.
std::string Line(const char* word, int round)
{
    char line[32];
    std::snprintf(line, sizeof line, "%s %09d\n", word, round);
    return line;
}

const std::string& Content(int round)
{
    static std::map<int, std::string> made;
    std::string& content = made[round];
    if (content.empty())
    {
        content = Line("round", round);
        for (int chunk = 0; chunk < 64; ++chunk)
            content += std::string(8192, static_cast<char>('a' + chunk % 26));
        content += Line("end", round);
    }
    return content;
}

// The round whose content the file holds whole; nothing for any other bytes.
std::optional<int> RoundOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string first;
    if (!std::getline(in, first) || first.rfind("round ", 0) != 0)
        return std::nullopt;
    const int round = std::atoi(first.c_str() + 6);
    std::error_code error;
    std::string bytes(Content(round).size(), '\0');
    if (fs::file_size(file, error) != bytes.size() || !in.seekg(0).read(bytes.data(), bytes.size()))
        return std::nullopt;
    return bytes == Content(round) ? std::optional(round) : std::nullopt;
}

struct Places
{
    std::string destination, copy, source;
    explicit Places(const std::string& folder)
        : destination(folder + P("/backup")), copy(destination + P("/C/report.doc")),
          source(folder + P("/report.doc"))
    {
    }
};

// Writes each round's content into the source, a second later each time,
// and replaces the copy with it.
[[noreturn]] void Replace(int round, const std::string& folder)
{
    const Places places(folder);
    const auto start = fs::file_time_type::clock::now() - std::chrono::hours(1000);
    for (bool first = true;; ++round, first = false)
    {
        if (first)
            std::ofstream(places.source, std::ios::binary) << Content(round);
        else
        {
            std::fstream source(places.source, std::ios::binary | std::ios::in | std::ios::out);
            source << Line("round", round);
            source.seekp(-static_cast<std::streamoff>(Line("end", round).size()), std::ios::end);
            source << Line("end", round);
        }
        fs::last_write_time(places.source, start + std::chrono::seconds(2 * round));
        companions::CopyKeepingVersion(places.source, places.destination, places.copy,
                                       platform::LocalFiles());
        if (first)
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
    const Places places(folder.Path());
    fs::create_directories(places.destination);
    const std::string temporary = platform::UnfinishedCopyOf(places.copy);
    const fs::path versions = fs::path(places.destination) / "Corvane Backup versions" / "C";
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> moment(0, 30000);
    int torn = 0, lost = 0, inReplacement = 0, putBack = 0;
    // The round whose content stands at the copy's place.
    int current = 0;
    for (int kill = 0; kill < kills; ++kill)
    {
        KillAWorkerAfter({"replace", std::to_string(current + 1), folder.Path()}, moment(random));
        // The copy and every version whole; the temporary may be cut short.
        const bool copyThere = fs::exists(places.copy);
        const std::optional<int> copy = RoundOf(places.copy);
        std::set<int> kept;
        std::error_code none;
        for (const auto& entry : fs::directory_iterator(versions, none))
        {
            const std::optional<int> round = RoundOf(entry.path());
            if (round)
                kept.insert(*round);
            else
                std::printf("kill %d: %s is torn\n", kill, entry.path().string().c_str());
            torn += !round;
        }
        if (copyThere && !copy)
            std::printf("kill %d: the copy is torn\n", kill);
        torn += copyThere && !copy;
        const bool temporaryLeft = fs::exists(temporary);
        inReplacement += temporaryLeft;
        // The copy replaced its predecessor, which is its newest version; or,
        // caught in the swap, the copy's place is empty, the old content a
        // version and the new one whole at the temporary.
        const std::optional<int> brought = copyThere ? std::nullopt : RoundOf(temporary);
        const int old = copy ? *copy - 1 : brought ? *brought - 1 : current;
        if (old > 0 && !kept.count(old))
        {
            std::printf("kill %d: the content of round %d is lost\n", kill, old);
            ++lost;
        }
        if (!copyThere)
        {
            companions::PutBackMissingCopy(places.destination, places.copy, platform::LocalFiles());
            if (RoundOf(places.copy) != old)
                std::printf("kill %d: the copy was not put back\n", kill);
            lost += RoundOf(places.copy) != old;
            ++putBack;
        }
        current = RoundOf(places.copy).value_or(current);
        // Removed once seen, so that each one found was being written when
        // this kill struck.
        fs::remove(temporary, none);
    }
    fs::remove(StartedMarkOf(folder.Path()));
    // Kills that miss every replacement prove nothing: a tenth at least must
    // strike while a temporary copy stands.
    const bool enough = inReplacement * 10 >= kills;
    std::printf("%d kills of a process replacing a copy keeping versions: %d torn, %d lost; %d "
                "kills struck inside a replacement%s, %d left no copy, which was put back\n",
                kills, torn, lost, inReplacement, enough ? "" : " (too few: at least a tenth must)",
                putBack);
    return torn == 0 && lost == 0 && enough ? 0 : 1;
}
