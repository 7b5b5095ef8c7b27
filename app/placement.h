#pragma once
// The screen, the window frame and the taskbar, and where the window opens.
#include "platform/window.h"

struct WindowMetrics {
    int frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;
    int minWidth = 0, minHeight = 0;
    int captionHeight = 0;
    int taskbarLeft = 0, taskbarTop = 0, taskbarRight = 0, taskbarBottom = 0;
    int screenWidth = 0, screenHeight = 0;
    int lastOnTop = -1;
    int lastTransparent = -1;
    int lastState = -1;
};
extern WindowMetrics windowMetrics;

void MeasureScreen();
// Fills the StartupWinPosn fields; returns true when the window should open maximized.
bool PlaceWindow();
void ApplyWindowModes(platform::WindowState state);
