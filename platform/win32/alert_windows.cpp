// The flash and popup windows. Each carries what it paints (a brush or a
// bitmap) in its user data and frees it when it is destroyed, so the windows
// need no shared state and may live on any thread.
#include <windows.h>

#include <algorithm>
#include <mutex>
#include <set>

#include "platform/alert_windows.h"
#include "platform/win32/internal.h"

namespace platform::win32 {
namespace {

const wchar_t kFlashClass[] = L"HoravelFlash";
const wchar_t kPopupClass[] = L"HoravelPopup";

struct Content {
    HBRUSH brush = nullptr;   // the flash's colour
    HBITMAP picture = nullptr;  // the popup's sign
    int width = 0;
    int height = 0;
};

// The alert windows of this thread, whose messages the waits dispatch.
thread_local std::set<HWND> openWindows;

void Free(Content* c) {
    if (c->brush) DeleteObject(c->brush);
    if (c->picture) DeleteObject(c->picture);
    delete c;
}

Content* ContentOf(HWND hwnd) { return reinterpret_cast<Content*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

void PaintPicture(HDC dc, const Content& c) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, c.picture);
    BitBlt(dc, 0, 0, c.width, c.height, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

LRESULT CALLBACK AlertProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Content* c = ContentOf(hwnd);
    switch (message) {
        case WM_ERASEBKGND:
            if (c && c->brush) {
                RECT r;
                GetClientRect(hwnd, &r);
                FillRect(reinterpret_cast<HDC>(wParam), &r, c->brush);
            }
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (c && c->picture) PaintPicture(dc, *c);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:  // the animation takes its frames from here
            if (c && c->brush) {
                RECT r;
                GetClientRect(hwnd, &r);
                FillRect(reinterpret_cast<HDC>(wParam), &r, c->brush);
            }
            if (c && c->picture) PaintPicture(reinterpret_cast<HDC>(wParam), *c);
            return 0;
        case WM_NCDESTROY:
            if (c) {
                SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
                Free(c);
            }
            openWindows.erase(hwnd);
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (const wchar_t* name : {kFlashClass, kPopupClass}) RegisterWindowClass(name, AlertProc);
    });
}

// Creates a hidden alert window that owns content from then on; frees content
// when there is no window.
HWND Create(const wchar_t* windowClass, DWORD exStyle, DWORD style, int x, int y, int w, int h, HWND owner,
            Content* content) {
    RegisterClasses();
    HWND hwnd = CreateWindowExW(exStyle, windowClass, L"", style, x, y, w, h, owner, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) {
        Free(content);
        return nullptr;
    }
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(content));
    openWindows.insert(hwnd);
    return hwnd;
}

void DispatchAlertMessages() {
    MSG m;
    for (HWND hwnd : std::set<HWND>(openWindows)) {
        while (PeekMessageW(&m, hwnd, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    }
}

}  // namespace
}  // namespace platform::win32

namespace platform {

namespace {
HWND Handle(AlertWindow window) { return reinterpret_cast<HWND>(window); }
}  // namespace

AlertWindow OpenFlashWindow(Colour colour, int opacity, const Rect& screen) {
    auto* content = new win32::Content;
    content->brush = CreateSolidBrush(RGB(Red(colour), Green(colour), Blue(colour)));
    // A point at the centre of the monitor, in the maximized state: shown, it
    // covers the monitor that holds that point. One pixel rather than none:
    // Wine never maps a window created empty, even once it is maximized.
    const int x = screen.x + screen.width / 2, y = screen.y + screen.height / 2;
    HWND hwnd = win32::Create(win32::kFlashClass, 0, WS_POPUP | WS_DISABLED | WS_MAXIMIZE, x, y, 1, 1,
                              win32::MainWindowHandle(), content);
    if (!hwnd) return 0;
    SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Exactly layered: whatever else the extended style held goes (the system
    // keeps the top-most bit, which only the z-order changes).
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd, 0, static_cast<BYTE>(std::clamp(opacity, 0, 255)), LWA_ALPHA);
    return reinterpret_cast<AlertWindow>(hwnd);
}

void ShowFlashWindow(AlertWindow flash, bool shown) {
    HWND hwnd = Handle(flash);
    ShowWindow(hwnd, shown ? SW_SHOWMAXIMIZED : SW_HIDE);
    if (shown) UpdateWindow(hwnd);
}

DetachedImage DetachImage(int image) { return reinterpret_cast<DetachedImage>(win32::TakeImageBitmap(image)); }

AlertWindow OpenPopupWindow(DetachedImage picture, const Rect& screen) {
    if (!picture) return 0;
    auto* content = new win32::Content;
    content->picture = reinterpret_cast<HBITMAP>(picture);
    BITMAP info{};
    GetObjectW(content->picture, sizeof info, &info);
    content->width = info.bmWidth;
    content->height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    const int x = screen.x + (screen.width - content->width) / 2;
    const int y = screen.y + (screen.height - content->height) / 2;
    // A tool window: the sign gets no taskbar button of its own.
    HWND hwnd = win32::Create(win32::kPopupClass, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_POPUP, x, y, content->width,
                              content->height, nullptr, content);
    return reinterpret_cast<AlertWindow>(hwnd);
}

void AnimatePopupWindow(AlertWindow popup, bool open, int durationMs) {
    HWND hwnd = Handle(popup);
    const DWORD start = GetTickCount();
    const DWORD flags = AW_CENTER | (open ? AW_ACTIVATE : AW_HIDE);
    if (!AnimateWindow(hwnd, static_cast<DWORD>(durationMs), flags)) ShowWindow(hwnd, open ? SW_SHOW : SW_HIDE);
    if (open) UpdateWindow(hwnd);
    // Where the system shows or hides the window at once, the timing still holds.
    const DWORD spent = GetTickCount() - start;
    if (spent < static_cast<DWORD>(durationMs)) AlertWait(durationMs - static_cast<int>(spent));
}

void CloseAlertWindow(AlertWindow window) {
    if (window) DestroyWindow(Handle(window));
}

void AlertWait(int ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        win32::DispatchAlertMessages();
        const DWORD spent = GetTickCount() - start;
        if (spent >= static_cast<DWORD>(ms)) return;
        // Short slices: a sign shown meanwhile is painted within a few milliseconds.
        Sleep(std::min<DWORD>(static_cast<DWORD>(ms) - spent, 5));
    }
}

}  // namespace platform
