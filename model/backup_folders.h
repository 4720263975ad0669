#pragma once

// The program's own folders inside the destination: no copy is ever made
// from them.
inline constexpr const char* kReportsFolder = "Corvane Backup reports";
inline constexpr const char* kVersionsFolder = "Corvane Backup versions";
