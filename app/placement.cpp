#include "app/placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "app/monitors.h"
#include "display/layout.h"
#include "platform/screen.h"
#include "settings/settings.h"

WindowMetrics windowMetrics;

namespace {

constexpr int MissingTaskbarHeight = 75;
constexpr int OpaqueAlpha = 255;
constexpr int TransparentAlpha = 180;

using Wide = std::int64_t;

// The largest inner size a window may have: the screen less the taskbar and
// the window's frame, never below the minimum size.
struct SizeLimits {
    int minWidth, minHeight, maxWidth, maxHeight;
};

SizeLimits Limits(const WindowMetrics& m) {
    const int tbW = m.taskbarRight - m.taskbarLeft;
    const int tbH = m.taskbarBottom - m.taskbarTop;
    Wide workWidth = m.screenWidth, workHeight = m.screenHeight;
    if (tbW == m.screenWidth && tbH < m.screenHeight) workHeight -= tbH;
    else if (tbH == m.screenHeight && tbW < m.screenWidth) workWidth -= tbW;
    const Wide maxWidth = workWidth - m.frameLeft - m.frameRight;
    const Wide maxHeight = workHeight - m.frameTop - m.frameBottom;
    return {m.minWidth, m.minHeight, static_cast<int>(std::max<Wide>(maxWidth, m.minWidth)),
            static_cast<int>(std::max<Wide>(maxHeight, m.minHeight))};
}

void ClampSize(int& W, int& H, const SizeLimits& limits) {
    W = std::clamp(W, limits.minWidth, limits.maxWidth);
    H = std::clamp(H, limits.minHeight, limits.maxHeight);
}

// A narrow bar at the left (2) or right (3) edge of the screen.
void DockAtSide(int location, int& L, int& T, int& W, int& H) {
    const WindowMetrics& m = windowMetrics;
    const int tbW = m.taskbarRight - m.taskbarLeft;
    const int tbH = m.taskbarBottom - m.taskbarTop;
    const bool horizontal = tbW == m.screenWidth;
    const bool vertical = tbH == m.screenHeight;
    if (settings.ShowWinBorder == 1)
        W = m.minWidth;
    else
        W = m.screenWidth > 1024 ? m.screenWidth * 50 / 1024 : 50;
    switch (settings.StartupHeight) {
        case 0: H = m.screenHeight - m.captionHeight - m.frameBottom - m.frameTop - (horizontal ? tbH : 0); break;
        case 1: H = m.screenHeight * 3 / 4; break;
        case 2: H = m.screenHeight / 2; break;
        case 3: H = m.screenHeight / 3; break;
        default: break;  // the remembered height stays
    }
    ClampSize(W, H, Limits(m));
    if (location == 2)
        L = vertical && m.taskbarLeft == 0 ? m.taskbarRight : 0;
    else
        L = m.screenWidth - W - m.frameLeft - m.frameRight - (vertical && m.taskbarLeft > 0 ? tbW : 0);
    if (settings.StartupHeight == 0)
        T = m.screenHeight - H - m.frameBottom - m.frameTop - (horizontal && m.taskbarTop > 0 ? tbH : 0);
    else
        T = (m.screenHeight - H - m.frameBottom - m.frameTop) / 2;
}

// Whether less than half of the window, frame included, would lie on the screen.
bool MostlyOffScreen(Wide L, Wide T, Wide W, Wide H) {
    const WindowMetrics& m = windowMetrics;
    const Wide width = W + m.frameLeft + m.frameRight, height = H + m.frameTop + m.frameBottom;
    const Wide shownWidth = std::max<Wide>(0, std::min<Wide>(L + width, m.screenWidth) - std::max<Wide>(L, 0));
    const Wide shownHeight = std::max<Wide>(0, std::min<Wide>(T + height, m.screenHeight) - std::max<Wide>(T, 0));
    return shownWidth * shownHeight * 2 < width * height;
}


// PlaceWindow on the measured monitor, in coordinates from its top-left corner.
bool PlaceOnScreen(int location, int& L, int& T, int& W, int& H) {
    const WindowMetrics& m = windowMetrics;

    if (location == 2 || location == 3) DockAtSide(location, L, T, W, H);

    // The remembered values come from a file that may hold anything: the sums
    // are taken in 64 bits so that no value wraps around.
    const bool coversScreen =
        L < 5 && T < 5 && Wide{m.screenWidth} - L - W < 5 && Wide{m.screenHeight} - T - H < 5;
    if (location == 1 || coversScreen) {
        L = 150;
        T = 100;
        W = m.screenWidth - 300;
        H = m.screenHeight - 200;
        return true;
    }

    if (location == 0) {
        const SizeLimits limits = Limits(m);
        W = std::max(W, m.minWidth);
        H = std::max(H, m.minHeight);
        // A window left on a screen that is gone, or a position no window
        // ever had, docks at the right edge rather than open out of sight.
        if (MostlyOffScreen(L, T, std::min(W, limits.maxWidth), std::min(H, limits.maxHeight))) {
            DockAtSide(3, L, T, W, H);
            return false;
        }
        // A remembered window may hang over the right or bottom edge by a few
        // pixels, but never off the top or left where its chrome would be lost.
        const Wide frameW = Wide{m.frameLeft} + m.frameRight, frameH = Wide{m.frameTop} + m.frameBottom;
        Wide left = L, top = T;
        if (left + W + frameW - 5 > m.screenWidth) left = m.screenWidth - W - frameW;
        if (top + H + frameH - 5 > m.screenHeight) top = m.screenHeight - H - frameH;
        L = static_cast<int>(std::max<Wide>(left, 0));
        T = static_cast<int>(std::max<Wide>(top, 0));
        // Larger than the screen's free part it would hide the taskbar and
        // cost the window system a picture of that size at every repaint.
        ClampSize(W, H, limits);
    }
    return false;
}

// A monitor other than the primary one has no taskbar window of its own to
// measure; what its work area leaves out is its taskbar (or another bar docked
// at an edge), on the side where it lies. None is an empty band.
void MeasureDockedBar(const platform::MonitorInfo& monitor) {
    WindowMetrics& m = windowMetrics;
    const platform::Rect& b = monitor.bounds;
    const platform::Rect& w = monitor.workArea;
    const int above = w.y - b.y, below = b.y + b.height - (w.y + w.height);
    const int left = w.x - b.x, right = b.x + b.width - (w.x + w.width);
    m.taskbarLeft = m.taskbarTop = 0;
    m.taskbarRight = m.screenWidth;
    m.taskbarBottom = m.screenHeight;
    if (below > 0)
        m.taskbarTop = m.screenHeight - below;
    else if (above > 0)
        m.taskbarBottom = above;
    else if (left > 0)
        m.taskbarRight = left;
    else if (right > 0)
        m.taskbarLeft = m.screenWidth - right;
    else
        m.taskbarRight = m.taskbarBottom = 0;
}

}  // namespace

void MeasureScreen() {
    WindowMetrics& m = windowMetrics;
    const platform::ScreenMetrics sys = platform::GetScreenMetrics();
    const std::optional<platform::MonitorInfo> monitor = StripMonitor();
    const platform::Rect screen = monitor ? monitor->bounds : platform::Rect{0, 0, sys.screenWidth, sys.screenHeight};
    m.screenLeft = screen.x;
    m.screenTop = screen.y;
    m.screenWidth = screen.width;
    m.screenHeight = screen.height;
    if (settings.ShowWinBorder == 1) {
        m.frameLeft = m.frameRight = sys.sizingFrameWidth;
        m.frameBottom = sys.sizingFrameHeight;
        m.frameTop = sys.sizingFrameHeight + sys.captionHeight;
        m.minHeight = 150;
        m.minWidth = std::max(25, sys.minimumWindowWidth - m.frameLeft - m.frameRight);
    } else {
        m.frameLeft = m.frameRight = m.frameTop = m.frameBottom = 0;
        m.minHeight = 150;
        m.minWidth = 25;
    }
    m.captionHeight = sys.captionHeight != 0 ? sys.captionHeight : 24;
    if (monitor) {
        MeasureDockedBar(*monitor);
    } else if (const auto bar = platform::TaskbarScreenRect()) {
        m.taskbarLeft = std::max(0, bar->x);
        m.taskbarTop = std::max(0, bar->y);
        m.taskbarRight = std::min(m.screenWidth, bar->x + bar->width);
        m.taskbarBottom = std::min(m.screenHeight, bar->y + bar->height);
    } else {
        m.taskbarLeft = 0;
        m.taskbarTop = m.screenHeight - MissingTaskbarHeight;
        m.taskbarRight = m.screenWidth;
        m.taskbarBottom = m.screenHeight;
    }
}

bool PlaceWindow() {
    const WindowMetrics& m = windowMetrics;
    int& L = settings.StartupWinPosnLeft;
    int& T = settings.StartupWinPosnTop;
    // A remembered position is taken from the monitor's corner; from a file it
    // may hold anything, so it is moved in 64 bits and held in range.
    constexpr Wide lowest = std::numeric_limits<int>::min(), highest = std::numeric_limits<int>::max();
    L = static_cast<int>(std::clamp(Wide{L} - m.screenLeft, lowest, highest));
    T = static_cast<int>(std::clamp(Wide{T} - m.screenTop, lowest, highest));
    const bool maximized =
        PlaceOnScreen(settings.StartupLocation, L, T, settings.StartupWinPosnRight, settings.StartupWinPosnBottom);
    // Every place it leaves lies on the monitor.
    L += m.screenLeft;
    T += m.screenTop;
    return maximized;
}

void ApplyWindowModes(platform::WindowState state) {
    WindowMetrics& m = windowMetrics;
    const int s = static_cast<int>(state);
    const bool maximized = state == platform::WindowState::Maximized;
    const bool normal = state == platform::WindowState::Normal;

    if (settings.AlwaysOnTop == 1 && m.lastOnTop == 0 && !maximized) {
        platform::SetMainWindowTopMost(true);
    } else if ((settings.AlwaysOnTop != m.lastOnTop && normal) || s != m.lastState) {
        platform::SetMainWindowTopMost(false);
        platform::SetMainWindowAppStyle(true);
    }

    if (settings.Transparent == 1 && m.lastTransparent == 0 && !maximized)
        platform::SetMainWindowOpacity(TransparentAlpha);
    else if ((settings.Transparent != m.lastTransparent && normal) || s != m.lastState)
        platform::SetMainWindowOpacity(OpaqueAlpha);

    layoutState.relayoutRequested = 0;
    m.lastState = s;
    // While maximized both modes count as off, so that the next layout in the
    // normal state applies them afresh.
    m.lastOnTop = maximized ? 0 : settings.AlwaysOnTop;
    m.lastTransparent = maximized ? 0 : settings.Transparent;
}
