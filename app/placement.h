#pragma once
// The screen, the window frame and the taskbar, and where the window opens.
#include "platform/window.h"

struct WindowMetrics {
    int frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;  // frameTop includes the title bar
    int minWidth = 0, minHeight = 0;  // smallest inner size the user may size the window to
    int captionHeight = 0;
    // The strip's monitor: its top-left corner on the desktop and its size. The
    // taskbar and the placement below are measured from that corner.
    int screenLeft = 0, screenTop = 0;
    int taskbarLeft = 0, taskbarTop = 0, taskbarRight = 0, taskbarBottom = 0;
    int screenWidth = 0, screenHeight = 0;
    // The on-top and transparency settings and the window state last applied;
    // the start-up primes them to the opposite of the settings and -1.
    int lastOnTop = -1;
    int lastTransparent = -1;
    int lastState = -1;
};
extern WindowMetrics windowMetrics;

// Fills the screen, frame, minimum-size, caption and taskbar fields for the
// strip's monitor (StripMonitor).
void MeasureScreen();
// Fills the StartupWinPosn fields (desktop coordinates) from StartupLocation
// and StartupHeight on the measured monitor; returns true when the window
// should open maximized (the fields then hold the rectangle it returns to when
// restored, on that monitor).
bool PlaceWindow();
// Applies or removes top-most and transparency for the window in this state
// (never while maximized) and clears the layout's full-relayout request.
void ApplyWindowModes(platform::WindowState state);
