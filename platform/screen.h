#pragma once
// The primary screen, the system's window-frame measures, the taskbar, and the
// window modes of the main window (top-most, taskbar button, opacity).
#include <optional>

#include "platform/types.h"

namespace platform {

struct ScreenMetrics {
    int screenWidth = 0;   // the primary screen, pixels
    int screenHeight = 0;
    int sizingFrameWidth = 0;   // one side of a sizing border, padding included
    int sizingFrameHeight = 0;
    int captionHeight = 0;      // a title bar; 0 when the system does not say
    int minimumWindowWidth = 0; // the narrowest outer width the system allows a framed window
};
ScreenMetrics GetScreenMetrics();

// The dots per inch of the monitor the main window stands on (96 is 100 %);
// the system's where the system does not tell them per window.
int MainWindowDpi();

// The taskbar's screen rectangle, unclipped; nothing when there is no taskbar window.
std::optional<Rect> TaskbarScreenRect();

// Makes the main window top-most (above every normal window) or not.
void SetMainWindowTopMost(bool topMost);
// Gives the main window a taskbar button (application window) or takes it away (tool window).
void SetMainWindowAppStyle(bool appWindow);
// Makes the main window a layered window with this opacity, 0 (invisible) to 255 (opaque).
void SetMainWindowOpacity(int alpha);
// Makes the main window the active window of the program (not the foreground of the desktop).
void ActivateMainWindow();

}  // namespace platform
