#pragma once

#include "companions/saved_plan.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/install.h"
#include "tests/native/support/paths.h"
#include "tests/native/support/selection.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

// Pictures and Documents from four sources, as a hand-edited store may have
// them: a folder, the install directory, one whose name no batch can carry,
// and one that holds the destination under another name.
struct SavedDocuments : testing::Test
{
    Install install;
    InstallDirectory directory{install.Path()};
    FakeFiles files;
    const std::string dest = P("/b/backup");
    // Where the first source's copies go.
    const std::string mirror = dest + P("/other/u/docs");

    SavedDocuments()
    {
        for (const char* path : {"/u/docs/a.txt", "/u/docs/sub/b.JPG", "/u/docs/c.exe",
                                 "/u/docs/hid/d.txt", "/u/bad\"name/f.txt", "/b/backup/e.txt",
                                 "/u/docs/g.txt.PART", "/u/docs/Corvane Backup versions/v.txt"})
            files.AddFile(P(path), 100);
        files.AddFile(P("/u/docs/h.txt"), 100, true);
        files.AddFolder(P("/u/docs/hid"), true);
        files.aliases[P("/m")] = P("/b");
        files.AddFile(install.PathOf("notes.txt"), 100);
        Save("0001001000");
    }

    void Save(const std::string& ticks)
    {
        SaveSelection(
            directory,
            Selection({P("/u/docs"), install.Path(), P("/u/bad\"name"), P("/m")}, dest, ticks),
            files);
        saved = companions::ReadSavedPlan(directory, files).saved;
    }

    std::optional<companions::SavedPlan> saved;
};
