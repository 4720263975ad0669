#pragma once

#include "flows/verdict.h"

#include <ctime>
#include <string>
#include <vector>

namespace flows
{

// "2026-03-04 05-06-07.txt" for a run that started then (local time); the
// second report of that second is "2026-03-04 05-06-07 (2).txt", and so on.
std::string ReportName(const std::tm& start, int number);

// Writes the report whole into "<destination>\Corvane Backup reports" and,
// so that a verdict outlives an unplugged destination, into
// "<localAppData>\Corvane Backup\reports" (left out when localAppData is
// empty), under one name that is free in both. An empty destination has no
// report of its own. Returns the paths written, the destination's first.
std::vector<std::string> WriteReport(const Verdict& verdict, const std::tm& start,
                                     const std::string& destination,
                                     const std::string& localAppData);

} // namespace flows
