#pragma once
// The rule that finds a chosen monitor again, and the lists the settings
// window offers. A choice is stored as the monitor's device name and its
// rectangle: Windows may number the monitors anew after a re-plug, and a
// monitor may come back at another place.
#include <optional>
#include <string>
#include <vector>

#include "platform/monitors.h"

// The monitor a stored choice names: the one with that device name and that
// rectangle, else the one at that rectangle, else the one of that name; -1
// when none is there. An empty name chooses none.
int FindMonitor(const std::vector<platform::MonitorInfo>& monitors, const std::string& device,
                const std::string& rectText);
// The primary monitor's entry, else the first; -1 for an empty list.
int PrimaryMonitor(const std::vector<platform::MonitorInfo>& monitors);

// A rectangle as the settings file keeps it: "left,top,right,bottom".
std::string MonitorRectText(const platform::Rect& r);
// Such a text read back; nothing unless it holds exactly four whole numbers
// with right beyond left and bottom below top.
std::optional<platform::Rect> ParseMonitorRect(const std::string& text);

// How a list names a monitor: the number of its device name, its own name
// (else its size), and whether it is the primary one: "2: 1280 × 720",
// "1: DELL U2415 (primary)".
std::string MonitorLabel(const platform::MonitorInfo& m);

// A drop-down list of monitors: entry 0 stands for no particular monitor
// (message firstMessage), then one entry per monitor in the system's order,
// and last, when the stored choice names a monitor that is not there, that
// monitor as "name (not connected)", so that accepting the window keeps it.
struct MonitorList {
    std::vector<std::string> entries;
    int selected = 0;
};
MonitorList MonitorChoices(const std::vector<platform::MonitorInfo>& monitors, int firstMessage,
                           const std::string& device, const std::string& rectText);
// Stores the list's entry into the choice: entry 0 clears it, a monitor's
// entry names that monitor; the missing monitor's entry (or none selected)
// leaves the choice as it was.
void StoreMonitorChoice(const std::vector<platform::MonitorInfo>& monitors, int entry, std::string& device,
                        std::string& rectText);
