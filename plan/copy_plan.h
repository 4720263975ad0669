#pragma once

#include "model/backup_selection.h"
#include "plan/kept_texts.h"
#include "platform/file_tree.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The System State line copies the system folder into this one.
inline constexpr const char* kSystemStateFolder = "systemstate";

// A place a backup copies from, and the folder its copies go to. The texts
// lie in the plan's own buffer and live as long as the plan.
struct PlannedSource
{
    // As the user wrote it; for the system folder, as the interpreter expands it.
    std::string_view path;
    std::string_view copyFolder;
    // Read from the disk when the plan is made: a missing path counts as a
    // folder (see TakeSourceAsFile).
    bool isFile = false;
    // There when the plan was made.
    bool found = true;
    // "%systemroot%" in the path is the interpreter's to expand.
    bool isSystemFolder = false;
};

// One xcopy line of backup.bat: what it copies from one source, and where to.
// Every line copies subfolders too (/s) and only files newer than their
// copies (/d).
struct CopyStep
{
    const PlannedSource* source = nullptr;
    // "\\*JPG" for the names that end in "JPG", in any letter case; empty for
    // every name.
    std::string_view pattern;
    // /h: hidden and system files too.
    bool hidden = false;
    // /M: only files whose archive attribute is set; the copy clears it.
    bool modifiedOnly = false;

    // Whether the line copies a file of this name (the last component of its
    // path below the source; for a source that is a file, its own name), as
    // xcopy decides on long names. `hiddenOnTheWay`: the file, or a folder
    // between it and the source, is hidden or system. A walk takes the name
    // once for all the lines.
    bool CopiesName(std::string_view name, bool hiddenOnTheWay) const;
    // Where the line puts its copy of the file at `relativePath` below the
    // source (folders and name joined by the platform's separator).
    std::string CopyPathOf(std::string_view relativePath) const;
};

// What a selection copies: its steps in the order of backup.bat's lines. The
// steps point into the plan's sources, and the sources into its texts, so a
// plan is moved, never copied.
struct CopyPlan
{
    CopyPlan() = default;
    CopyPlan(CopyPlan&&) = default;
    CopyPlan& operator=(CopyPlan&&) = default;
    CopyPlan(const CopyPlan&) = delete;
    CopyPlan& operator=(const CopyPlan&) = delete;

    std::string destination;
    // Every source's path and copy folder: a plan of many thousand sources
    // would otherwise make, and free, two strings for each.
    KeptTexts texts;
    std::vector<PlannedSource> sources;
    // Folders the script makes before its first copy: xcopy asks "file or
    // directory?" when it copies a single file to a path that does not exist.
    std::vector<std::string_view> foldersToMake;
    std::vector<CopyStep> steps;
};

// The steps of the ticked options, in the order of their blocks: All File
// Types, System State, Pictures, Audio, Video, Documents, Hidden; a block
// repeats its lines for each source in list order, and System State comes once.
// One source copies straight into the destination; with two or more, every
// file goes to the mirror of its own path below it (MirrorOf), so that two
// files never land on one path.
// A source that is a file (`files` tells) copies that file alone.
CopyPlan PlanBackup(const BackupSelection& selection, platform::FileTree& files);

// The same plan from targets looked up already, one per source.
CopyPlan PlanBackup(const BackupSelection& selection,
                    const std::vector<platform::PathTarget>& targets, platform::FileTree& files);

// Where the copy of a source lies when that source is a file, whatever the
// plan took it for: "<destination>\<name>" with one source, the mirror of its
// path with more.
std::string FileCopyPathOf(const CopyPlan& plan, const PlannedSource& source);

// Takes a source planned as a folder for the file it was: a file source that
// was missing when the plan was made (deleted, on an unplugged stick) is
// still a file where the backup holds it as one. Its copy folder follows;
// the companions read backups so, and backup.bat's lines are none of theirs.
void TakeSourceAsFile(CopyPlan& plan, PlannedSource& source);
