#include "tests/e2e/driver/store_files.h"

#include "tests/e2e/driver/controls.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/harness.h"
#include "tests/e2e/driver/text.h"

#include <algorithm>

namespace e2e
{

namespace
{

// The boxes in the order settings.dat keeps them.
constexpr int kStoredBoxes[] = {kAllFileTypes, kAutoOnShutdown, kBackupOnModify, kPictures,
                                kAudio,        kVideo,          kDocuments,      kHidden,
                                kSystemState,  kModifiedOnly};

bool Contains(const std::vector<int>& boxes, int box)
{
    return std::find(boxes.begin(), boxes.end(), box) != boxes.end();
}

} // namespace

std::string SettingsFor(const std::vector<int>& tickedBoxes)
{
    std::string settings;
    for (int box : kStoredBoxes)
        settings += Contains(tickedBoxes, box) ? "1;" : "0;";
    return settings;
}

std::string SourceListFor(const std::vector<std::string>& sources)
{
    std::string list;
    for (const std::string& source : sources)
        list += Ansi(source) + "\r\n";
    return list;
}

std::string ModBatchFor(const std::string& destination)
{
    const std::string quoted = "\"" + Ansi(destination) + "\"";
    std::string batch = "xcopy /m /d /y /s /C /I  \"C:\\Documents and Settings\" " + quoted;
    for (char drive = 'C'; drive <= 'Z'; ++drive)
        batch += std::string("\r\nxcopy /m /d /y /s /C /I  ") + drive + ":\\ " + quoted;
    return batch;
}

void SeedStore(const std::vector<std::string>& sources, const std::string& destination,
               const std::vector<int>& tickedBoxes)
{
    WriteBytes(InstalledPath("filestobackup.bck"), SourceListFor(sources));
    WriteBytes(InstalledPath("data.dat"), Ansi(destination));
    WriteBytes(InstalledPath("settings.dat"), SettingsFor(tickedBoxes));
}

void ApplyOptions(HWND dialog, const std::vector<std::pair<int, bool>>& wanted, Checker& checker)
{
    for (const auto& [box, ticked] : wanted)
    {
        if (IsTicked(dialog, box) != ticked)
            Click(dialog, box, checker);
        checker.Expect(IsTicked(dialog, box) == ticked, "box " + std::to_string(box) +
                                                            (ticked ? " ticked" : " unticked") +
                                                            " after a click");
    }
}

void ExpectOptions(HWND dialog, const std::vector<int>& tickedBoxes,
                   const std::vector<int>& lockedBoxes, Checker& checker)
{
    for (int box : kStoredBoxes)
    {
        const bool ticked = Contains(tickedBoxes, box);
        const bool enabled = !Contains(lockedBoxes, box);
        checker.Expect(IsTicked(dialog, box) == ticked,
                       "box " + std::to_string(box) + " is " + (ticked ? "ticked" : "unticked"));
        checker.Expect(IsEnabled(dialog, box) == enabled,
                       "box " + std::to_string(box) + " is " + (enabled ? "enabled" : "disabled"));
    }
}

} // namespace e2e
