#pragma once

#include "tests/e2e/driver/checker.h"

#include <map>
#include <string>
#include <vector>
#include <windows.h>

// The store files as the program keeps them, seeded before a start and
// checked after it, and the option boxes that they mirror.
namespace e2e
{

// settings.dat for the boxes ticked, in the order the store keeps them.
std::string SettingsFor(const std::vector<int>& tickedBoxes);
// filestobackup.bck for the sources (UTF-8), in the program's ANSI bytes.
std::string SourceListFor(const std::vector<std::string>& sources);
// mod.bat for the destination (UTF-8), as the program writes it.
std::string ModBatchFor(const std::string& destination);

// Writes the three store files the program loads at start-up.
void SeedStore(const std::vector<std::string>& sources, const std::string& destination,
               const std::vector<int>& tickedBoxes);

// Sets each box to the wanted state by clicking it when it differs.
void ApplyOptions(HWND dialog, const std::vector<std::pair<int, bool>>& wanted, Checker& checker);
// Checks every option box: ticked as listed, and enabled unless listed as locked.
void ExpectOptions(HWND dialog, const std::vector<int>& tickedBoxes,
                   const std::vector<int>& lockedBoxes, Checker& checker);

} // namespace e2e
