#pragma once

#include "companions/monitor_view.h"

#include <string>
#include <vector>
#include <windows.h>

// What the monitor's window shows at one moment.
struct MonitorSnapshot
{
    companions::MonitorState state;
    // The reports written, the one in the destination first.
    std::vector<std::string> reports;
};

// Where the window takes what it shows from: the watch of the running backup
// in the program, a fixed state in tests.
class MonitorSource
{
  public:
    virtual ~MonitorSource() = default;
    virtual MonitorSnapshot Snapshot() const = 0;
    // Posts `message` to `window` whenever the snapshot has changed, until
    // called again; a null window ends the posts.
    virtual void NotifyChanges(HWND window, UINT message) = 0;
};
