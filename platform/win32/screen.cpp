// The screen measures, the taskbar and the main window's modes, from user32.
#include "platform/screen.h"

#include "platform/win32/internal.h"

namespace platform {
namespace {

bool activated = false;  // made the active window, and not deactivated since

}  // namespace

namespace win32 {

void NoteMainWindowDeactivated() { activated = false; }

}  // namespace win32

ScreenMetrics GetScreenMetrics() {
    ScreenMetrics m;
    m.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    m.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    // Since Vista a sizing border is the classic frame plus the padded border.
    const int padding = GetSystemMetrics(SM_CXPADDEDBORDER);
    m.sizingFrameWidth = GetSystemMetrics(SM_CXSIZEFRAME) + padding;
    m.sizingFrameHeight = GetSystemMetrics(SM_CYSIZEFRAME) + padding;
    m.captionHeight = GetSystemMetrics(SM_CYCAPTION);
    m.minimumWindowWidth = GetSystemMetrics(SM_CXMINTRACK);
    return m;
}

std::optional<Rect> TaskbarScreenRect() {
    HWND bar = FindWindowW(L"Shell_TrayWnd", L"");
    RECT r;
    if (!bar || !GetWindowRect(bar, &r)) return std::nullopt;
    return Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void SetMainWindowTopMost(bool topMost) {
    HWND w = win32::MainWindowHandle();
    if (!w) return;
    SetWindowPos(w, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SetMainWindowAppStyle(bool appWindow) {
    HWND w = win32::MainWindowHandle();
    if (!w) return;
    const LONG_PTR old = GetWindowLongPtrW(w, GWL_EXSTYLE);
    const LONG_PTR ex = appWindow ? (old | WS_EX_APPWINDOW) & ~static_cast<LONG_PTR>(WS_EX_TOOLWINDOW)
                                  : (old | WS_EX_TOOLWINDOW) & ~static_cast<LONG_PTR>(WS_EX_APPWINDOW);
    if (ex == old) return;
    // The taskbar only notices a window gaining or losing its button when it is
    // shown anew; an unowned window that was no tool window has a button already,
    // and hiding it only costs a flicker (and under Wine spoils a later maximize).
    const bool buttonChanges = ((old ^ ex) & WS_EX_TOOLWINDOW) != 0;
    if (buttonChanges) ShowWindow(w, SW_HIDE);
    SetWindowLongPtrW(w, GWL_EXSTYLE, ex);
    if (buttonChanges) ShowWindow(w, SW_SHOWNA);
}

void SetMainWindowOpacity(int alpha) {
    HWND w = win32::MainWindowHandle();
    if (!w) return;
    if (alpha < 0) alpha = 0;
    if (alpha > 255) alpha = 255;
    // Layered and never a tool window; the application-window bit set with the
    // on-top mode is kept so the taskbar button stays.
    const LONG_PTR ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
    SetWindowLongPtrW(w, GWL_EXSTYLE, (ex | WS_EX_LAYERED) & ~static_cast<LONG_PTR>(WS_EX_TOOLWINDOW));
    SetLayeredWindowAttributes(w, 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

void ActivateMainWindow() {
    // Only once it shows. Under Wine a window activated while hidden or by
    // its own showing becomes the foreground window at once, whether or not
    // the window manager gives it the X focus; when it does not, Wine is never
    // told that the focus is elsewhere, and the main loop would stay on its
    // 20 ms watch for good.
    HWND w = win32::MainWindowHandle();
    if (!w || activated || !IsWindowVisible(w)) return;
    // Asked of the system only until it holds: each call is a round trip to
    // the server, also when the window is active already.
    SetActiveWindow(w);
    activated = GetActiveWindow() == w;
}

}  // namespace platform
