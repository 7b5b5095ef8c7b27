#include "app/monitors.h"

#include "app/monitor_choice.h"
#include "app/placement.h"
#include "app/timer_engine.h"
#include "display/layout.h"
#include "platform/events.h"
#include "platform/screen.h"
#include "platform/system.h"
#include "platform/window.h"
#include "settings/settings.h"

MonitorState monitorState;

namespace {

// Wine tells a running program of no change of the monitors, so their
// rectangles are looked at this often; each look asks the window system.
constexpr std::uint32_t kCheckIntervalMs = 2000;

platform::Rect WindowPlace() {
    return {platform::WindowX(), platform::WindowY(), platform::WindowInnerWidth(), platform::WindowInnerHeight()};
}

platform::Rect Fields() {
    return {settings.StartupWinPosnLeft, settings.StartupWinPosnTop, settings.StartupWinPosnRight,
            settings.StartupWinPosnBottom};
}

void SetFields(const platform::Rect& r) {
    settings.StartupWinPosnLeft = r.x;
    settings.StartupWinPosnTop = r.y;
    settings.StartupWinPosnRight = r.width;
    settings.StartupWinPosnBottom = r.height;
}

std::vector<platform::Rect> BoundsOf(const std::vector<platform::MonitorInfo>& monitors) {
    std::vector<platform::Rect> bounds;
    for (const platform::MonitorInfo& m : monitors) bounds.push_back(m.bounds);
    return bounds;
}

platform::Point Centre(const platform::Rect& r) { return {r.x + r.width / 2, r.y + r.height / 2}; }

// The monitor that holds the point, else the primary one; nothing for no list.
std::optional<platform::MonitorInfo> MonitorAt(const std::vector<platform::MonitorInfo>& monitors,
                                               platform::Point p) {
    for (const platform::MonitorInfo& m : monitors)
        if (platform::Contains(m.bounds, p)) return m;
    const int primary = PrimaryMonitor(monitors);
    if (primary < 0) return std::nullopt;
    return monitors[primary];
}

}  // namespace

std::optional<platform::MonitorInfo> StripMonitor() {
    MonitorState& s = monitorState;
    s.monitors = platform::ListMonitors();
    const int chosen = FindMonitor(s.monitors, settings.Monitor, settings.MonitorRect);
    const int displaced = !settings.Monitor.empty() && chosen < 0 && !s.monitors.empty() ? 1 : 0;
    if (settings.StartupLocation == 0 && displaced != s.displaced) {
        if (displaced)
            s.home = Fields();
        else
            SetFields(s.home);
    }
    s.displaced = displaced;
    const int index = chosen >= 0 ? chosen : PrimaryMonitor(s.monitors);
    if (index < 0 || s.monitors[index].primary) return std::nullopt;
    return s.monitors[index];
}

void NoteWindowPlace() {
    if (monitorState.displaced)
        SetFields(monitorState.home);
    else if (monitorState.breakMoved)
        SetFields(monitorState.beforeBreak);
    else
        SetFields(WindowPlace());
}

void NoteMonitorChange() { monitorState.changed = 1; }

void WatchMonitors(std::uint32_t now) {
    MonitorState& s = monitorState;
    // A minimized window keeps its place to come back to; it follows once restored.
    if (platform::GetWindowState() == platform::WindowState::Minimized) return;
    if (!s.changed && now - s.lastCheckTick < kCheckIntervalMs) return;
    s.lastCheckTick = now;
    if (!s.changed && platform::MonitorRects() == BoundsOf(s.monitors)) return;
    s.changed = 0;
    FollowMonitorChange();
}

void FollowMonitorChange() {
    const bool maximized = platform::GetWindowState() == platform::WindowState::Maximized;
    if (maximized) platform::SetWindowState(platform::WindowState::Normal);
    ReturnFromBreakMonitor();
    if (settings.StartupLocation == 0) NoteWindowPlace();
    MeasureScreen();
    platform::DiscardEvents();  // the moves and sizes the system made meanwhile are stale
    const bool fullScreen = PlaceWindow();
    platform::MoveMainWindow(settings.StartupWinPosnLeft, settings.StartupWinPosnTop, settings.StartupWinPosnRight,
                             settings.StartupWinPosnBottom);
    if (InBreak()) MoveToBreakMonitor();
    if (maximized || fullScreen) platform::SetWindowState(platform::WindowState::Maximized);
    layoutState.relayoutRequested = 1;
    LayoutReadouts(0);
}

void MoveToBreakMonitor() {
    if (settings.BreakMonitor.empty() || monitorState.breakMoved) return;
    const std::vector<platform::MonitorInfo> monitors = platform::ListMonitors();
    const int index = FindMonitor(monitors, settings.BreakMonitor, settings.BreakMonitorRect);
    if (index < 0) return;  // not there: the break fills the strip's monitor
    const platform::Rect target = monitors[index].bounds;
    if (platform::Contains(target, Centre(WindowPlace()))) return;
    MonitorState& s = monitorState;
    s.maximizedBeforeBreak = platform::GetWindowState() == platform::WindowState::Maximized;
    if (s.maximizedBeforeBreak) platform::SetWindowState(platform::WindowState::Normal);
    s.beforeBreak = WindowPlace();
    s.breakMoved = 1;
    // Inside the break monitor: maximizing fills the monitor that holds the window.
    platform::MoveMainWindow(target.x + target.width / 4, target.y + target.height / 4, target.width / 2,
                             target.height / 2);
}

void ReturnFromBreakMonitor() {
    MonitorState& s = monitorState;
    if (!s.breakMoved) return;
    s.breakMoved = 0;
    if (platform::GetWindowState() != platform::WindowState::Normal)
        platform::SetWindowState(platform::WindowState::Normal);
    platform::MoveMainWindow(s.beforeBreak.x, s.beforeBreak.y, s.beforeBreak.width, s.beforeBreak.height);
    if (s.maximizedBeforeBreak) platform::SetWindowState(platform::WindowState::Maximized);
}

platform::Rect AlertScreen() {
    if (const auto monitor = MonitorAt(platform::ListMonitors(), Centre(WindowPlace()))) return monitor->bounds;
    const platform::ScreenMetrics screen = platform::GetScreenMetrics();
    return {0, 0, screen.screenWidth, screen.screenHeight};
}
