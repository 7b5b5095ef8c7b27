// The main window: its class, styles, state, and the window procedure that
// turns notifications into the events of the loop.
#include <windows.h>

#include "platform/win32/dpi.h"
#include "platform/win32/internal.h"
#include "platform/win32/text.h"
#include "platform/window.h"

namespace platform::win32 {
namespace {

HWND mainWindow = nullptr;
WindowCallback callback = nullptr;
HBRUSH backgroundBrush = nullptr;
int minInnerWidth = 0;
int minInnerHeight = 0;

void Queue(unsigned message, WPARAM wParam, LPARAM lParam) {
    Event e;
    e.kind = EventKind::Message;
    e.message = message;
    e.wParam = wParam;
    e.lParam = lParam;
    QueueEvent(e);
}

// The two styles of the main window.
DWORD MainStyle(bool framed) {
    return (framed ? WS_OVERLAPPEDWINDOW : WS_POPUP | WS_MINIMIZEBOX | WS_SYSMENU) | WS_CLIPCHILDREN;
}

// The outer size of a window whose client area is w x h.
SIZE OuterSize(HWND hwnd, int w, int h) {
    RECT r{0, 0, w, h};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
    return SIZE{r.right - r.left, r.bottom - r.top};
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (callback && hwnd == mainWindow) callback(message, wParam, static_cast<std::intptr_t>(lParam));
    switch (message) {
        case WM_COMMAND:
            if (lParam == 0) {
                if (HIWORD(wParam) == 0) {  // a menu entry
                    Event e;
                    e.kind = EventKind::Menu;
                    e.menuItem = LOWORD(wParam);
                    QueueEvent(e);
                }
            } else if (HIWORD(wParam) == BN_CLICKED) {  // also STN_CLICKED of the image gadgets
                QueueGadgetEvent(LOWORD(wParam), GadgetLeftClick);
            }
            return 0;
        case WM_CLOSE: {
            Event e;
            e.kind = EventKind::Close;
            QueueEvent(e);
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) NoteMainWindowDeactivated();
            break;
        case WM_COPYDATA:
            return ReceiveCopyData(wParam, lParam);
        case WM_HOTKEY:
        case WM_SIZE:
        case WM_ENTERSIZEMOVE:
        case WM_EXITSIZEMOVE:
            Queue(message, wParam, lParam);
            break;
        case kDpiChangedMessage:
            Queue(message, wParam, 0);
            TakeSuggestedRect(hwnd, lParam);
            return 0;
        case WM_MEASUREITEM:
            if (MeasureMenuPicture(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_DRAWITEM:
            if (DrawMenuPicture(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
            break;
        case WM_GETMINMAXINFO:
            if (mainWindow) {
                const SIZE outer = OuterSize(hwnd, minInnerWidth, minInnerHeight);
                reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{outer.cx, outer.cy};
            }
            return 0;
        case WM_ERASEBKGND: {
            RECT r;
            GetClientRect(hwnd, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r,
                     backgroundBrush ? backgroundBrush : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            return 1;
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

HWND MainWindowHandle() { return mainWindow; }

}  // namespace platform::win32

namespace platform {

using win32::mainWindow;

bool OpenMainWindow(const WindowOptions& options) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = win32::MainProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = win32::kMainWindowClass;
    if (!RegisterClassExW(&wc)) return false;
    win32::RegisterGadgetClass();

    // Created hidden; a maximized window already takes its maximized size
    // here, so that its gadgets are laid out for it before it shows.
    const DWORD style = win32::MainStyle(options.framed) | (options.maximized ? WS_MAXIMIZE : 0);
    RECT r{0, 0, options.innerWidth, options.innerHeight};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    mainWindow = CreateWindowExW(0, win32::kMainWindowClass, win32::Wide(options.title).c_str(), style, options.x,
                                 options.y, r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    return mainWindow != nullptr;
}

void CloseMainWindow() {
    if (!mainWindow) return;
    win32::DestroyGadgets();
    DestroyWindow(mainWindow);
    mainWindow = nullptr;
}

bool MainWindowIsOpen() { return mainWindow != nullptr; }
void SetWindowCallback(WindowCallback callback) { win32::callback = callback; }

void SetWindowBackground(Colour colour) {
    if (win32::backgroundBrush) DeleteObject(win32::backgroundBrush);
    win32::backgroundBrush = CreateSolidBrush(RGB(Red(colour), Green(colour), Blue(colour)));
    if (mainWindow) InvalidateRect(mainWindow, nullptr, TRUE);
}

void SetWindowMinimumSize(int innerWidth, int innerHeight) {
    win32::minInnerWidth = innerWidth;
    win32::minInnerHeight = innerHeight;
}

int WindowX() {
    RECT r{};
    GetWindowRect(mainWindow, &r);
    return r.left;
}

int WindowY() {
    RECT r{};
    GetWindowRect(mainWindow, &r);
    return r.top;
}

int WindowInnerWidth() {
    RECT r{};
    GetClientRect(mainWindow, &r);
    return r.right;
}

int WindowInnerHeight() {
    RECT r{};
    GetClientRect(mainWindow, &r);
    return r.bottom;
}

Point ClientOrigin() {
    POINT p{0, 0};
    ClientToScreen(mainWindow, &p);
    return {p.x, p.y};
}

void MoveMainWindow(int x, int y, int innerWidth, int innerHeight) {
    const SIZE outer = win32::OuterSize(mainWindow, innerWidth, innerHeight);
    SetWindowPos(mainWindow, nullptr, x, y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetMainWindowFramed(bool framed) {
    const LONG_PTR visible = GetWindowLongPtrW(mainWindow, GWL_STYLE) & WS_VISIBLE;
    SetWindowLongPtrW(mainWindow, GWL_STYLE, static_cast<LONG_PTR>(win32::MainStyle(framed)) | visible);
    SetWindowPos(mainWindow, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowMainWindow(bool visible) {
    // Shown without being activated: the refreshes make it the active window
    // (ActivateMainWindow).
    ShowWindow(mainWindow, visible ? SW_SHOWNA : SW_HIDE);
    if (visible) UpdateWindow(mainWindow);  // painted with its gadgets at once, not piece by piece
}

bool MainWindowIsVisible() { return mainWindow && IsWindowVisible(mainWindow); }

WindowState GetWindowState() {
    if (IsIconic(mainWindow)) return WindowState::Minimized;
    if (IsZoomed(mainWindow)) return WindowState::Maximized;
    return WindowState::Normal;
}

void SetWindowState(WindowState state) {
    const int show = state == WindowState::Maximized ? SW_MAXIMIZE
                     : state == WindowState::Minimized ? SW_MINIMIZE
                                                       : SW_RESTORE;
    ShowWindow(mainWindow, show);
}

// The foreground window rather than the thread's active window: when another
// X program takes the focus, Wine moves the foreground to the desktop but
// leaves the thread's active window as it was.
bool MainWindowIsActive() { return mainWindow && GetForegroundWindow() == mainWindow; }

void StartSystemMove() {
    ReleaseCapture();
    SendMessageW(mainWindow, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void StartSystemSize(int command) {
    ReleaseCapture();
    SendMessageW(mainWindow, WM_SYSCOMMAND, static_cast<WPARAM>(command), 0);
}

}  // namespace platform
