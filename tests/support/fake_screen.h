#pragma once
// The fake's screen, monitors, taskbar and window modes. The primary screen's
// size is the one of fake::state (screenWidth, screenHeight), which maximizing
// also uses unless the window stands on another of the monitors listed here.
#include <optional>
#include <string>
#include <vector>

#include "platform/monitors.h"
#include "platform/screen.h"

namespace fake {

struct ScreenState {
    int sizingFrameWidth = 8;
    int sizingFrameHeight = 8;
    int captionHeight = 23;
    int minimumWindowWidth = 136;
    int dpi = 96;  // the dots per inch of the monitor the main window stands on
    // A 40-pixel taskbar along the bottom of a 1920 x 1080 screen; nothing for none.
    std::optional<platform::Rect> taskbar = platform::Rect{0, 1040, 1920, 40};
    // The monitors the system lists (none: it cannot say); SetMonitors keeps
    // the primary screen's size in step.
    std::vector<platform::MonitorInfo> monitors;
    int monitorLists = 0;      // how often the program listed them
    int monitorRectLooks = 0;  // how often it asked for their rectangles alone

    // What the program asked for last: -1 never asked.
    int topMost = -1;
    int appStyle = -1;
    int opacity = -1;
    int activations = 0;
    // The window-mode calls in order: "TopMost 1", "AppStyle 1", "Opacity 180".
    std::vector<std::string> calls;
};

extern ScreenState screen;

void ResetScreen();

// A monitor of the fake's desktop: its device name, bounds and work area.
platform::MonitorInfo Monitor(const std::string& device, platform::Rect bounds, platform::Rect workArea,
                              bool primary = false);
// Lists these monitors and sizes the primary screen as the primary one.
void SetMonitors(const std::vector<platform::MonitorInfo>& monitors);
// The listed monitor that holds most of this rectangle, the primary one when
// none does; nothing when no monitor is listed.
std::optional<platform::MonitorInfo> MonitorHolding(const platform::Rect& r);

}  // namespace fake
