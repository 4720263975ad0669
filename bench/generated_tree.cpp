#include "bench/generated_tree.h"

#include <benchmark/benchmark.h>
#include <fstream>

namespace fs = std::filesystem;

GeneratedTree::GeneratedTree()
{
    static const char* const kNames[] = {"photo.jpg", "scan.PNG",   "song.mp3", "clip.avi",
                                         "notes.txt", "report.doc", "data.bin", "sheet.xls",
                                         "readme",    "draft.docx"};
    fs::remove_all(m_root);
    for (int folder = 0; folder < 100; ++folder)
    {
        for (int sub = 0; sub < 10; ++sub)
        {
            const fs::path at =
                m_root / ("Folder " + std::to_string(folder)) / ("Sub " + std::to_string(sub));
            fs::create_directories(at);
            for (int file = 0; file < 100; ++file)
                std::ofstream(at / (std::to_string(file) + " " + kNames[file % 10])) << file;
        }
    }
}

GeneratedTree::~GeneratedTree()
{
    fs::remove_all(m_root);
}

const GeneratedTree& Tree()
{
    static const GeneratedTree tree;
    return tree;
}

void ListBare(const std::string& root)
{
    std::uintmax_t bytes = 0;
    fs::file_time_type newest{};
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
    {
        if (!entry.is_regular_file())
            continue;
        bytes += entry.file_size();
        newest = std::max(newest, entry.last_write_time());
    }
    benchmark::DoNotOptimize(bytes);
    benchmark::DoNotOptimize(newest);
}
