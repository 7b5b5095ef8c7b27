// The modal dialog: a dialog-class window made from an empty in-memory
// template (so it has the system's dialog font and keyboard handling), its
// window procedure, which turns notifications into dialog events, and the
// loop that hands them out.
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <deque>
#include <vector>

#include "platform/dialog.h"
#include "platform/win32/dialog_internal.h"
#include "platform/win32/dpi.h"
#include "platform/win32/internal.h"
#include "platform/win32/text.h"

namespace platform::win32 {

HWND dialog = nullptr;

namespace {

std::deque<DialogEvent> events;

void Queue(DialogEventKind kind, int control) { events.push_back(DialogEvent{kind, control}); }

// DLGTEMPLATE, no menu, the default class, a title, then the font.
std::vector<WORD> EmptyTemplate() {
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(t.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | DS_MODALFRAME | DS_SHELLFONT;
    t.push_back(0);  // menu
    t.push_back(0);  // class
    t.push_back(0);  // title (set afterwards)
    t.push_back(8);  // point size
    for (const wchar_t* c = L"MS Shell Dlg"; *c; ++c) t.push_back(static_cast<WORD>(*c));
    t.push_back(0);
    return t;
}

void OnCommand(int id, int code, HWND from) {
    ControlRecord* r = FindControl(id);
    if (!r) {
        // Enter and Esc arrive as commands of OK and Cancel.
        if ((id == DialogOk || id == DialogCancel) && code == BN_CLICKED) Queue(DialogEventKind::Clicked, id);
        return;
    }
    switch (r->kind) {
        case ControlKind::CheckBox:
        case ControlKind::Button:
        case ControlKind::DefaultButton:
            if (code == BN_CLICKED) Queue(DialogEventKind::Clicked, id);
            break;
        case ControlKind::DropDownList: {
            // Moving through the open list is not yet a choice; closing it on an
            // entry is, even on the entry already selected (to enter another
            // custom time, or to hear a sound again). A closed list changes by
            // the arrow keys.
            const bool dropped = SendMessageW(from, CB_GETDROPPEDSTATE, 0, 0) != 0;
            const int entry = static_cast<int>(SendMessageW(from, CB_GETCURSEL, 0, 0));
            const bool chosen = code == CBN_SELENDOK && dropped;
            const bool stepped = code == CBN_SELCHANGE && !dropped && entry != r->reportedEntry;
            if (chosen || stepped) {
                r->reportedEntry = entry;
                Queue(DialogEventKind::Selected, id);
            }
            break;
        }
        case ControlKind::TextField:
        case ControlKind::DigitsField:
            if (code == EN_SETFOCUS) Queue(DialogEventKind::Focused, id);
            break;
        default:
            break;
    }
}

// An image is drawn in design pixels and shown at the dialog's dots per inch.
void DrawImageControl(const DRAWITEMSTRUCT& item) {
    ControlRecord* r = FindControl(static_cast<int>(item.CtlID));
    const SIZE size = r ? StretchImage(item.hDC, r->image, WindowDpi(dialog)) : SIZE{0, 0};
    RECT rest = item.rcItem;
    rest.left = size.cx;
    FillRect(item.hDC, &rest, GetSysColorBrush(COLOR_BTNFACE));
    rest = item.rcItem;
    rest.top = size.cy;
    FillRect(item.hDC, &rest, GetSysColorBrush(COLOR_BTNFACE));
}

// Texts and boxes on a themed tab page take the page's colour, not the dialog's.
INT_PTR PageColour(HDC dc, HWND control) {
    const ControlRecord* r = FindControl(GetDlgCtrlID(control));
    if (!r || r->page < 0 || !IsAppThemed()) return FALSE;
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
}

INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return PageColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_INITDIALOG:
            return FALSE;  // the program puts the focus itself
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_HSCROLL:
            // A slider reports each step of a move, and its end when the
            // pointer's button or the key is let go.
            if (const ControlRecord* r = FindControl(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
                r && r->kind == ControlKind::Slider) {
                Queue(LOWORD(wParam) == TB_ENDTRACK ? DialogEventKind::Selected : DialogEventKind::Sliding,
                      GetDlgCtrlID(r->hwnd));
            }
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->code == TCN_SELCHANGE) {
                ShowCurrentPage();
                Queue(DialogEventKind::TabChanged, static_cast<int>(header->idFrom));
            }
            return TRUE;
        }
        case WM_DRAWITEM:
            DrawImageControl(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CLOSE:
            Queue(DialogEventKind::Close, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

// Ctrl+Tab and Ctrl+Shift+Tab turn the tab pages, as in the system's own dialogs.
bool TurnPageByKeyboard(const MSG& m) {
    if (m.message != WM_KEYDOWN || m.wParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0) return false;
    if (m.hwnd != dialog && !IsChild(dialog, m.hwnd)) return false;
    HWND tabs = TabsHandle();
    if (!tabs) return false;
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    if (count <= 0) return true;
    const int step = GetKeyState(VK_SHIFT) < 0 ? count - 1 : 1;
    const int current = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>((current + step) % count), 0);
    ShowCurrentPage();
    Queue(DialogEventKind::TabChanged, GetDlgCtrlID(tabs));
    return true;
}

int HeldModifiers() {
    int held = 0;
    if (GetKeyState(VK_CONTROL) < 0) held |= MOD_CONTROL;
    if (GetKeyState(VK_SHIFT) < 0) held |= MOD_SHIFT;
    if (GetKeyState(VK_MENU) < 0) held |= MOD_ALT;
    if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0) held |= MOD_WIN;
    return held;
}

// A key field takes every key typed into it, Alt and its combinations too (no
// menu, no mnemonics), except those that move on through the dialog.
bool TakeTypedKey(const MSG& m) {
    ControlRecord* r = FindControl(GetDlgCtrlID(m.hwnd));
    if (!r || r->kind != ControlKind::KeyField || r->hwnd != m.hwnd) return false;
    const bool down = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
    if (!down) return m.message == WM_SYSKEYUP || m.message == WM_CHAR || m.message == WM_SYSCHAR;
    const auto key = static_cast<int>(m.wParam);
    const int held = HeldModifiers();
    const bool movesOn = (key == VK_TAB && (held & ~MOD_SHIFT) == 0) ||
                         ((key == VK_RETURN || key == VK_ESCAPE) && held == 0);
    if (movesOn) return false;
    const bool modifier = key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_LWIN || key == VK_RWIN;
    if (!modifier) {
        r->typed = TypedKey{held, key};
        Queue(DialogEventKind::KeyTyped, GetDlgCtrlID(m.hwnd));
    }
    return true;
}

// Handles one message of the thread's queue; false when it is empty.
bool PumpOne() {
    MSG m;
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) return false;
    if (m.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(m.wParam));  // for the main loop, once the dialog is gone
        Queue(DialogEventKind::Close, 0);
        return true;
    }
    if (dialog && (TakeTypedKey(m) || TurnPageByKeyboard(m) || IsDialogMessageW(dialog, &m))) return true;
    TranslateMessage(&m);
    DispatchMessageW(&m);
    return true;
}

}  // namespace
}  // namespace platform::win32

namespace platform {

using win32::dialog;

bool OpenDialog(int innerWidth, int innerHeight, const std::string& title) {
    if (dialog) return false;
    static bool controlsReady = false;
    if (!controlsReady) {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
        controlsReady = InitCommonControlsEx(&init) != FALSE;
    }
    const std::vector<WORD> t = win32::EmptyTemplate();
    HWND owner = win32::MainWindowHandle();
    dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(t.data()),
                                        owner, win32::DialogProc, 0);
    if (!dialog) return false;
    win32::events.clear();
    SetWindowTextW(dialog, win32::Wide(title).c_str());
    SetDialogSize(innerWidth, innerHeight);
    // Modal: the owner takes no input while the dialog is open.
    if (owner) EnableWindow(owner, FALSE);
    return true;
}

void CloseDialog() {
    if (!dialog) return;
    // The owner is enabled first so that it, not another program, becomes active.
    if (HWND owner = GetWindow(dialog, GW_OWNER)) EnableWindow(owner, TRUE);
    DestroyWindow(dialog);
    dialog = nullptr;
    win32::ForgetControls();
    win32::events.clear();
}

bool DialogIsOpen() { return dialog != nullptr; }

void ShowDialog() {
    if (!dialog) return;
    win32::StackControls();
    win32::ShowCurrentPage();
    ShowWindow(dialog, SW_SHOW);
    SetForegroundWindow(dialog);
}

void SetDialogSize(int innerWidth, int innerHeight) {
    if (!dialog) return;
    const UINT dpi = win32::WindowDpi(dialog);  // the size is in design pixels, as the controls' places
    RECT r{0, 0, win32::ToDpi(innerWidth, dpi), win32::ToDpi(innerHeight, dpi)};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (IsWindowVisible(dialog)) {
        SetWindowPos(dialog, nullptr, 0, 0, w, h, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    } else {
        SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void SetDialogTitle(const std::string& title) {
    if (dialog) SetWindowTextW(dialog, win32::Wide(title).c_str());
}

TypedKey LastTypedKey(int control) {
    const win32::ControlRecord* r = win32::FindControl(control);
    return r ? r->typed : TypedKey{};
}

DialogEvent WaitDialogEvent(int timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        while (win32::events.empty() && win32::PumpOne()) {
        }
        if (!win32::events.empty()) {
            const DialogEvent e = win32::events.front();
            win32::events.pop_front();
            return e;
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= static_cast<DWORD>(timeoutMs)) return {};
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(timeoutMs) - elapsed, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}

}  // namespace platform
