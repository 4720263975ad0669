#pragma once

#include <filesystem>
#include <string>

// The least a copy that keeps the old copy as a version can cost: the calls
// that work needs, made straight to the file system with nothing of ours
// around them. Where a goal's baseline cannot be reached, the program is
// held to this floor instead.
struct FloorCopy
{
    std::filesystem::path from;
    std::filesystem::path copy;
    std::filesystem::path versionFolder;
    // Where the copy's and its versions' folders begin: each folder below it
    // is looked at, as a copy that follows no link must.
    std::filesystem::path destination;
};

// Looks at the folders below the destination and at the old copy's time,
// lists the version folder with each version's time, copies `from` beside
// the copy, gives the old copy the version name `round` and moves the new
// one in; past ten versions, the oldest goes.
void KeepingCopyFloor(const FloorCopy& copy, int round);
