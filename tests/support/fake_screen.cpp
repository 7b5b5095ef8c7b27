#include "tests/support/fake_screen.h"

#include "tests/support/fake_platform.h"

namespace fake {

ScreenState screen;

void ResetScreen() { screen = ScreenState{}; }

}  // namespace fake

using fake::screen;

namespace platform {

ScreenMetrics GetScreenMetrics() {
    ScreenMetrics m;
    m.screenWidth = fake::state.screenWidth;
    m.screenHeight = fake::state.screenHeight;
    m.sizingFrameWidth = screen.sizingFrameWidth;
    m.sizingFrameHeight = screen.sizingFrameHeight;
    m.captionHeight = screen.captionHeight;
    m.minimumWindowWidth = screen.minimumWindowWidth;
    return m;
}

int MainWindowDpi() { return screen.dpi; }

std::optional<Rect> TaskbarScreenRect() { return screen.taskbar; }

void SetMainWindowTopMost(bool topMost) {
    screen.topMost = topMost;
    screen.calls.push_back(std::string("TopMost ") + (topMost ? "1" : "0"));
}

void SetMainWindowAppStyle(bool appWindow) {
    screen.appStyle = appWindow;
    screen.calls.push_back(std::string("AppStyle ") + (appWindow ? "1" : "0"));
}

void SetMainWindowOpacity(int alpha) {
    screen.opacity = alpha;
    screen.calls.push_back("Opacity " + std::to_string(alpha));
}

void ActivateMainWindow() { ++screen.activations; }

}  // namespace platform
