#pragma once

#include <string>
#include <windows.h>

// FAT and FAT32 keep a file's time as the local time it was written, and
// Windows turns it into UTC with today's daylight-saving offset: after a
// change of daylight saving time every such time is an hour off. Read by the
// rule of its own date instead, it is the moment the file was written, as on
// every other file system. (exFAT keeps its offset and needs none of this.)
namespace platform
{

// The time zone and the offset Windows applies today (UTC = local + bias,
// in minutes), as FileTimeToLocalFileTime applies it.
struct ClockRule
{
    TIME_ZONE_INFORMATION zone{};
    LONG todaysBias = 0;
};
ClockRule CurrentClockRule();

// The moment a file was written, from the time Windows reports for it on a
// FAT volume.
FILETIME TrueTimeOfFat(const FILETIME& reported, const ClockRule& rule);

// The time to hand Windows for a file on a FAT volume so that it reads back
// as `trueTime`.
FILETIME FatTimeOf(const FILETIME& trueTime, const ClockRule& rule);

// Whether the volume of the path (its drive or share, as the path names it)
// keeps FAT or FAT32 times. Asked once per volume.
bool IsOnFatVolume(const std::wstring& path);

// The time Windows reports for a file at `path`, as the moment it was
// written; and a moment as Windows is to be told it for a file at `path`.
FILETIME TrueTimeAt(const std::wstring& path, const FILETIME& reported);
FILETIME TimeToSetAt(const std::wstring& path, const FILETIME& trueTime);

} // namespace platform
