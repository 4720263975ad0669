#include "platform/win32/fat_time.h"

#include <map>
#include <mutex>

namespace platform
{
namespace
{

constexpr LONGLONG kTicksPerMinute = 60LL * 10'000'000;

LONGLONG TicksOf(const FILETIME& time)
{
    return static_cast<LONGLONG>(ULONGLONG{time.dwHighDateTime} << 32 | time.dwLowDateTime);
}

FILETIME FileTimeOf(LONGLONG ticks)
{
    const auto bits = static_cast<ULONGLONG>(ticks);
    return {static_cast<DWORD>(bits), static_cast<DWORD>(bits >> 32)};
}

// Windows' conversions take whole milliseconds; FAT keeps two seconds.
LONGLONG BelowAMillisecond(const FILETIME& time)
{
    return TicksOf(time) % 10'000;
}

// "X:\" or "\\server\share\", with or without the long-path prefix.
std::wstring VolumeRootOf(const std::wstring& path)
{
    std::wstring rest = path;
    std::wstring prefix;
    if (rest.rfind(L"\\\\?\\UNC\\", 0) == 0)
    {
        prefix = L"\\\\";
        rest = rest.substr(8);
    }
    else if (rest.rfind(L"\\\\?\\", 0) == 0)
        rest = rest.substr(4);
    else if (rest.rfind(L"\\\\", 0) == 0)
    {
        prefix = L"\\\\";
        rest = rest.substr(2);
    }
    if (prefix.empty())
        return rest.size() >= 2 && rest[1] == L':' ? rest.substr(0, 2) + L"\\" : std::wstring();
    // The server and the share.
    const size_t server = rest.find(L'\\');
    const size_t share = server == std::wstring::npos ? server : rest.find(L'\\', server + 1);
    return prefix + rest.substr(0, share) + L"\\";
}

} // namespace

ClockRule CurrentClockRule()
{
    ClockRule rule;
    switch (GetTimeZoneInformation(&rule.zone))
    {
    case TIME_ZONE_ID_DAYLIGHT:
        rule.todaysBias = rule.zone.Bias + rule.zone.DaylightBias;
        break;
    case TIME_ZONE_ID_STANDARD:
        rule.todaysBias = rule.zone.Bias + rule.zone.StandardBias;
        break;
    default:
        rule.todaysBias = rule.zone.Bias;
    }
    return rule;
}

FILETIME TrueTimeOfFat(const FILETIME& reported, const ClockRule& rule)
{
    const FILETIME local = FileTimeOf(TicksOf(reported) - rule.todaysBias * kTicksPerMinute);
    SYSTEMTIME written;
    SYSTEMTIME universal;
    FILETIME moment;
    if (!FileTimeToSystemTime(&local, &written) ||
        !TzSpecificLocalTimeToSystemTime(&rule.zone, &written, &universal) ||
        !SystemTimeToFileTime(&universal, &moment))
        return reported;
    return FileTimeOf(TicksOf(moment) + BelowAMillisecond(reported));
}

FILETIME FatTimeOf(const FILETIME& trueTime, const ClockRule& rule)
{
    SYSTEMTIME universal;
    SYSTEMTIME written;
    FILETIME local;
    if (!FileTimeToSystemTime(&trueTime, &universal) ||
        !SystemTimeToTzSpecificLocalTime(&rule.zone, &universal, &written) ||
        !SystemTimeToFileTime(&written, &local))
        return trueTime;
    return FileTimeOf(TicksOf(local) + rule.todaysBias * kTicksPerMinute +
                      BelowAMillisecond(trueTime));
}

bool IsOnFatVolume(const std::wstring& path)
{
    const std::wstring root = VolumeRootOf(path);
    if (root.empty())
        return false;
    struct Answer
    {
        bool fat;
        ULONGLONG asked;
    };
    // Asked again after a while: another stick may take the letter.
    constexpr ULONGLONG kKeptMillis = 10'000;
    static std::mutex lock;
    static std::map<std::wstring, Answer> known;
    const ULONGLONG now = GetTickCount64();
    {
        const std::lock_guard<std::mutex> hold(lock);
        const auto found = known.find(root);
        if (found != known.end() && now - found->second.asked < kKeptMillis)
            return found->second.fat;
    }
    wchar_t fileSystem[MAX_PATH + 1] = {};
    // A volume that does not answer (an unplugged stick) keeps no answer.
    if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, fileSystem,
                               MAX_PATH + 1))
        return false;
    const std::wstring name = fileSystem;
    const bool fat = name == L"FAT" || name == L"FAT32";
    const std::lock_guard<std::mutex> hold(lock);
    known[root] = {fat, now};
    return fat;
}

FILETIME TrueTimeAt(const std::wstring& path, const FILETIME& reported)
{
    return IsOnFatVolume(path) ? TrueTimeOfFat(reported, CurrentClockRule()) : reported;
}

FILETIME TimeToSetAt(const std::wstring& path, const FILETIME& trueTime)
{
    return IsOnFatVolume(path) ? FatTimeOf(trueTime, CurrentClockRule()) : trueTime;
}

} // namespace platform
