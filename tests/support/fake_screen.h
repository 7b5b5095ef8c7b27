#pragma once
// The fake's screen, taskbar and window modes. The screen size is the one of
// fake::state (screenWidth, screenHeight), which maximizing also uses.
#include <optional>
#include <string>
#include <vector>

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

}  // namespace fake
