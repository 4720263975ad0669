#pragma once

#include "companions/saved_plan.h"
#include "plan/copy_plan.h"
#include "restore/backup_contents.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/selection.h"

#include <string>
#include <vector>

// The backup folder the restore's tests read, in the fake tree.
inline const std::string kDest = "E:\\Backup";

// The selection's plan, nothing refused.
inline companions::SavedPlan Saved(const BackupSelection& selection, FakeFiles& files)
{
    companions::SavedPlan saved;
    saved.selection = selection;
    saved.plan = PlanBackup(selection, files);
    return saved;
}

inline restore::BackupContents Contents(const BackupSelection& selection, FakeFiles& files)
{
    return *restore::BackupContents::Read(Saved(selection, files), files);
}

// "kind label -> original" for each holding.
inline std::vector<std::string> Holdings(const restore::BackupContents& contents)
{
    static const char* const kinds[] = {"source", "not in selection", "other", "system"};
    std::vector<std::string> lines;
    for (const restore::Holding& holding : contents.Holdings())
        lines.push_back(std::string(kinds[static_cast<int>(holding.kind)]) + " " + holding.label +
                        " -> " + holding.originalPath);
    return lines;
}
