#pragma once
// The monitors the strip uses: its own, chosen in the settings (else the
// primary one), and the break's, which a break fills; and following the
// monitors as they come, go and change while the program runs.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/monitors.h"

struct MonitorState {
    std::vector<platform::MonitorInfo> monitors;  // as the strip was last placed among them
    std::uint32_t lastCheckTick = 0;
    int changed = 0;    // a change noted and not yet followed
    int displaced = 0;  // the strip's monitor is missing: it stands on the primary one
    // A remembered position kept while its monitor is missing (left, top,
    // inner width and height), for its return.
    platform::Rect home;
    // A break took the strip to another monitor; its place before (outer
    // left and top, inner size) and whether it stood maximized.
    int breakMoved = 0;
    platform::Rect beforeBreak;
    int maximizedBeforeBreak = 0;
};
extern MonitorState monitorState;

// Lists the monitors anew and returns the strip's, nothing when that is the
// primary one (or the system lists none). A strip whose monitor is missing
// stands on the primary one until it returns; a remembered position (with
// StartupLocation 0) waits in monitorState.home meanwhile and comes back with it.
std::optional<platform::MonitorInfo> StripMonitor();

// The window's present place into the StartupWinPosn fields, for a
// remembered position: while its monitor is missing, the place it had there;
// while a break holds it on another monitor, its place before.
void NoteWindowPlace();

// The system announced a change of the monitors, or the settings chose
// another monitor for the strip.
void NoteMonitorChange();
// Called on every pass of the main loop: every two seconds compares the
// monitors' rectangles with those the strip was placed among, and places the
// strip again when they differ, or at once after a noted change.
void WatchMonitors(std::uint32_t now);
// Places the strip again among the monitors there are now, keeping its state
// (a break stays full screen on its monitor).
void FollowMonitorChange();

// Before a break fills the screen: takes the strip onto the break monitor when
// that is another one and is there.
void MoveToBreakMonitor();
// After the break: back to the place the strip had.
void ReturnFromBreakMonitor();

// The monitor the visual alerts show on: the one that holds the strip (during
// a break, the break monitor).
platform::Rect AlertScreen();
