#pragma once

#include "plan/copy_plan.h"
#include "platform/file_tree.h"
#include "tests/native/support/install.h"
#include "tests/native/support/selection.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#endif

// A source folder and a destination on the disk, with files made in either.
struct Backup
{
    Install source;
    Install destination;

    // A file of `size` bytes; names that begin with a dot are hidden on every
    // platform, folders included.
    std::string Make(const Install& root, const std::string& relative, size_t size = 3) const
    {
        const std::filesystem::path path = std::filesystem::path(root.Path()) / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
#ifdef _WIN32
        // Windows itself hides no dotted name; Wine does.
        for (std::filesystem::path part = path; part != root.Path(); part = part.parent_path())
            if (part.filename().string()[0] == '.')
                SetFileAttributesA(part.string().c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
        return path.string();
    }
    // The source file and its copy in `folder` of the destination, the copy
    // dated `age` before the source.
    void Copied(const std::string& relative, std::filesystem::file_time_type::duration age,
                size_t size = 3, const std::string& folder = "") const
    {
        const std::string original = Make(source, relative);
        const std::string copy = Make(destination, folder + relative, size);
        std::filesystem::last_write_time(copy, std::filesystem::last_write_time(original) - age);
    }
    CopyPlan Plan(const std::string& ticks, std::vector<std::string> more = {}) const
    {
        more.insert(more.begin(), source.Path());
        return PlanBackup(Selection(more, destination.Path(), ticks), platform::LocalFiles());
    }
};
