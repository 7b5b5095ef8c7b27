#include "tests/support/fake_screen.h"

#include <algorithm>

#include "tests/support/fake_platform.h"

namespace fake {

ScreenState screen;

void ResetScreen() { screen = ScreenState{}; }

platform::MonitorInfo Monitor(const std::string& device, platform::Rect bounds, platform::Rect workArea, bool primary) {
    platform::MonitorInfo m;
    m.device = device;
    m.bounds = bounds;
    m.workArea = workArea;
    m.primary = primary;
    return m;
}

void SetMonitors(const std::vector<platform::MonitorInfo>& monitors) {
    screen.monitors = monitors;
    for (const platform::MonitorInfo& m : monitors) {
        if (!m.primary) continue;
        state.screenWidth = m.bounds.width;
        state.screenHeight = m.bounds.height;
    }
}

namespace {

long long Overlap(const platform::Rect& a, const platform::Rect& b) {
    const long long w = std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
    const long long h = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
    return w > 0 && h > 0 ? w * h : 0;
}

}  // namespace

std::optional<platform::MonitorInfo> MonitorHolding(const platform::Rect& r) {
    const platform::MonitorInfo* best = nullptr;
    long long most = 0;
    for (const platform::MonitorInfo& m : screen.monitors) {
        const long long overlap = Overlap(m.bounds, r);
        if (overlap > most) {
            most = overlap;
            best = &m;
        }
    }
    for (const platform::MonitorInfo& m : screen.monitors)
        if (!best && m.primary) best = &m;
    if (!best) return std::nullopt;
    return *best;
}

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

std::vector<MonitorInfo> ListNamedMonitors() {
    ++screen.monitorLists;
    return screen.monitors;
}

std::vector<MonitorInfo> ListMonitors() {
    std::vector<MonitorInfo> list = ListNamedMonitors();
    for (MonitorInfo& m : list) m.friendlyName.clear();
    return list;
}

std::vector<Rect> MonitorRects() {
    ++screen.monitorRectLooks;
    std::vector<Rect> rects;
    for (const MonitorInfo& m : screen.monitors) rects.push_back(m.bounds);
    return rects;
}

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
