// The timer's push buttons: a small window class of our own in the system's
// push-button look, themed where a visual style is on. The system's button
// class would load the common controls before the window can show, for
// buttons that only show a caption and report a click. They never take the
// keyboard focus: the main loop reads the space and Esc keys itself, and a
// focused button would take space for a click of its own.
#include <windows.h>
#include <uxtheme.h>
#include <vsstyle.h>
#include <windowsx.h>

#include <string>

#include "platform/win32/dpi.h"
#include "platform/win32/internal.h"

namespace platform::win32 {
namespace {

// The state of one button, kept in its GWLP_USERDATA.
constexpr LONG_PTR kDown = 1;    // pressed here, the pointer held
constexpr LONG_PTR kInside = 2;  // the held pointer is over the button
constexpr LONG_PTR kHot = 4;     // the pointer is over the button, its leaving tracked

// The system's message font at the dots per inch it was made for, kept
// until the buttons stand on a monitor of others.
HFONT font = nullptr;
UINT fontDpi = 0;
HTHEME theme = nullptr;
bool themeOpened = false;

LONG_PTR State(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWLP_USERDATA); }

void SetState(HWND hwnd, LONG_PTR state) {
    if (state == State(hwnd)) return;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, state);
    InvalidateRect(hwnd, nullptr, FALSE);
}

HFONT Font(HWND hwnd) {
    const UINT dpi = WindowDpi(hwnd);
    if (!font || dpi != fontDpi) {
        const LOGFONTW wanted = MessageFont(dpi);
        if (HFONT made = CreateFontIndirectW(&wanted)) {
            if (font) DeleteObject(font);  // selected into no DC: each paint selects it back out
            font = made;
            fontDpi = dpi;
        }
    }
    return font;
}

// The button part of the visual style; null when none is on.
HTHEME Theme(HWND hwnd) {
    if (!themeOpened) {
        themeOpened = true;
        theme = IsAppThemed() ? OpenThemeData(hwnd, L"BUTTON") : nullptr;
    }
    return theme;
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    const LONG_PTR state = State(hwnd);
    const bool pushed = (state & kDown) && (state & kInside);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    HGDIOBJ oldFont = SelectObject(dc, Font(hwnd));
    if (HTHEME t = Theme(hwnd)) {
        const int look = pushed ? PBS_PRESSED : (state & kHot) ? PBS_HOT : PBS_NORMAL;
        // The corners a rounded button leaves show the window's black.
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        DrawThemeBackground(t, dc, BP_PUSHBUTTON, look, &r, nullptr);
        RECT content = r;
        GetThemeBackgroundContentRect(t, dc, BP_PUSHBUTTON, look, &r, &content);
        DrawThemeText(t, dc, BP_PUSHBUTTON, look, text.c_str(), -1, format, 0, &content);
    } else {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
        if (pushed) OffsetRect(&r, 1, 1);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextW(dc, text.c_str(), -1, &r, format);
    }
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

bool PointerInside(HWND hwnd, LPARAM lParam) {
    RECT r;
    GetClientRect(hwnd, &r);
    return PtInRect(&r, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE;
}

// Tells the main window, as the system's buttons do.
void Click(HWND hwnd) {
    const WPARAM command = MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED);
    SendMessageW(GetParent(hwnd), WM_COMMAND, command, reinterpret_cast<LPARAM>(hwnd));
}

LRESULT CALLBACK PushButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint(hwnd);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the paint covers everything
        case WM_LBUTTONDOWN:
            SetCapture(hwnd);
            SetState(hwnd, State(hwnd) | kDown | kInside);
            return 0;
        case WM_MOUSEMOVE: {
            LONG_PTR state = State(hwnd);
            if (!(state & kHot) && Theme(hwnd)) {  // only a themed button looks different under the pointer
                TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, hwnd, 0};
                if (TrackMouseEvent(&leave)) state |= kHot;
            }
            if (state & kDown) state = PointerInside(hwnd, lParam) ? state | kInside : state & ~kInside;
            SetState(hwnd, state);
            return 0;
        }
        case WM_MOUSELEAVE:
            SetState(hwnd, State(hwnd) & ~kHot);
            return 0;
        case WM_LBUTTONUP: {
            // Released over the button: a click, as the system's buttons count one.
            const bool click = (State(hwnd) & kDown) && PointerInside(hwnd, lParam);
            if (GetCapture() == hwnd) ReleaseCapture();
            SetState(hwnd, State(hwnd) & ~(kDown | kInside));
            if (click) Click(hwnd);
            return 0;
        }
        case BM_CLICK:  // a click asked for by another program, as the system's buttons take it
            Click(hwnd);
            return 0;
        case WM_CAPTURECHANGED:  // a move of the window, a menu: the press is over
            SetState(hwnd, State(hwnd) & ~(kDown | kInside));
            return 0;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
            InvalidateRect(hwnd, nullptr, FALSE);
            UpdateWindow(hwnd);  // the captions follow Ctrl and Shift at once
            return result;
        }
        case WM_THEMECHANGED:
            if (theme) CloseThemeData(theme);
            theme = nullptr;
            themeOpened = false;
            InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void RegisterPushButtonClass() { RegisterWindowClass(kPushButtonClass, PushButtonProc); }

}  // namespace platform::win32
