#pragma once

#include <string>

// Every test companion and the batch recorder append one line per event to
// one log in the harness folder, stamped with the process creation time so
// that a case can tell in which order the program started them, whatever
// order their writes reach the disk in.
namespace e2e
{

inline constexpr const wchar_t* kHarnessFolder = L"C:\\e2e";
inline constexpr const wchar_t* kStartLog = L"C:\\e2e\\starts.log";

// Appends "kind name value time": kind is "started" or "ended", value the show
// state a started process was given or the exit status of an ended batch.
void AppendStartRecord(const std::wstring& kind, const std::wstring& name, long value);

// The show state this process was started with, -1 when none was given.
long OwnShowState();

} // namespace e2e
