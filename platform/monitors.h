#pragma once
// The monitors of the desktop, in the screen coordinates of the virtual desktop
// (the primary monitor's top-left corner is 0, 0; others may lie left of or
// above it, at negative coordinates).
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

struct MonitorInfo {
    std::string device;        // the system's name for it, "\\.\DISPLAY2"; may change after a re-plug
    std::string friendlyName;  // the monitor's own name ("DELL U2415"); empty when the system has none
    Rect bounds;               // the whole monitor
    Rect workArea;             // without the taskbar and other docked bars
    bool primary = false;
    bool operator==(const MonitorInfo&) const = default;
};

// The monitors as the system sees them now, in its own order; empty when it
// cannot say. Without their own names, which take the system longer to find
// (under Wine, a library of its own to load): enough to place windows.
std::vector<MonitorInfo> ListMonitors();
// The same with each monitor's own name where it gives one, for lists people read.
std::vector<MonitorInfo> ListNamedMonitors();
// Only their rectangles, in the same order: a fraction of the cost, for
// watching them often.
std::vector<Rect> MonitorRects();

}  // namespace platform
