// The dialog's controls: the system's tab control, static texts, buttons,
// check boxes, drop-down lists and edit fields, and an owner-drawn static
// that shows a numbered image. Page controls are siblings laid over the tab
// control, shown while their page is selected.
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <map>
#include <vector>

#include "platform/dialog.h"
#include "platform/win32/dialog_internal.h"
#include "platform/win32/dpi.h"
#include "platform/win32/internal.h"
#include "platform/win32/text.h"

namespace platform::win32 {
namespace {

std::map<int, ControlRecord> controls;
int tabsControl = 0;

constexpr int kDroppedListHeight = 240;

struct Kind {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

Kind KindOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::Tabs: return {WC_TABCONTROLW, WS_TABSTOP | WS_CLIPSIBLINGS, 0};
        case ControlKind::Label: return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
        case ControlKind::RightLabel: return {L"STATIC", SS_RIGHT | SS_NOPREFIX | SS_ENDELLIPSIS, 0};
        case ControlKind::CentredLabel: return {L"STATIC", SS_CENTER | SS_NOPREFIX, 0};
        case ControlKind::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
        case ControlKind::Button: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::DefaultButton: return {L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::DropDownList: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::TextField: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::DigitsField: return {L"EDIT", ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case ControlKind::Image: return {L"STATIC", SS_OWNERDRAW | WS_CLIPSIBLINGS, 0};
        case ControlKind::Slider: return {TRACKBAR_CLASSW, TBS_HORZ | TBS_NOTICKS | WS_TABSTOP, 0};
        case ControlKind::KeyField: return {L"EDIT", ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP, WS_EX_CLIENTEDGE};
    }
    return {L"STATIC", 0, 0};
}

// The top-left corner of the tab pages in the dialog's client area.
POINT PageOrigin() {
    HWND tabs = TabsHandle();
    if (!tabs) return POINT{0, 0};
    RECT r;
    GetWindowRect(tabs, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    SendMessageW(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return POINT{r.left, r.top};
}

// A closed drop-down list is as high as its selection field; sets that to height.
// How the field's height adds up to the control's varies between systems, so
// it is measured after each try.
void SetClosedHeight(HWND combo, int height) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT r;
        GetWindowRect(combo, &r);
        const int off = height - (r.bottom - r.top);
        const int field = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
        if (off == 0 || field + off <= 0) return;
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + off);
    }
}

// A row label may reach out of its page to the left; its text is
// right-aligned, so cut at the page's edge it still ends where it should.
// (Static controls draw with their parent's clipping: a window region would
// not hold them in.)
Rect CutToPage(Rect place) {
    if (place.x < 0) {
        place.width = std::max(0, place.width + place.x);
        place.x = 0;
    }
    return place;
}

HWND Handle(int control) {
    ControlRecord* r = FindControl(control);
    return r ? r->hwnd : nullptr;
}

// Places come in design pixels (at 96 dots per inch) and stand at the dialog's
// dots per inch, as its font does.
RECT ToDialogPixels(const Rect& place, POINT origin) {
    const UINT dpi = WindowDpi(dialog);
    const int left = origin.x + ToDpi(place.x, dpi), top = origin.y + ToDpi(place.y, dpi);
    return RECT{left, top, left + ToDpi(place.width, dpi), top + ToDpi(place.height, dpi)};
}

// Where a control stands in the dialog's client area, in pixels.
RECT PixelRect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring ComboEntry(HWND combo, int entry) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(entry), 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::wstring TabTitle(HWND tabs, int entry) {
    wchar_t buffer[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 256;
    SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

void SetTabTitle(HWND tabs, int entry, const std::string& title, bool insert) {
    std::wstring text = Wide(title);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(tabs, insert ? TCM_INSERTITEMW : TCM_SETITEMW, static_cast<WPARAM>(entry),
                 reinterpret_cast<LPARAM>(&item));
}

// Widest of the texts in the control's own font.
int TextWidth(HWND hwnd, const std::vector<std::wstring>& texts) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::wstring& text : texts) {
        SIZE size{0, 0};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return widest;
}

std::wstring WindowTextOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A field limited to a few characters must show the widest they can be.
constexpr LRESULT kShortLimit = 64;

int FieldTextWidth(HWND field, ControlKind kind) {
    const LRESULT limit = SendMessageW(field, EM_GETLIMITTEXT, 0, 0);
    if (limit <= 0 || limit > kShortLimit) return TextWidth(field, {WindowTextOf(field)});
    int digit = 0;
    for (wchar_t d = L'0'; d <= L'9'; ++d) digit = std::max(digit, TextWidth(field, {std::wstring(1, d)}));
    const int character = kind == ControlKind::DigitsField ? digit : TextWidth(field, {L"W"});
    const DWORD margins = static_cast<DWORD>(SendMessageW(field, EM_GETMARGINS, 0, 0));
    return static_cast<int>(limit) * character + LOWORD(margins) + HIWORD(margins) + 2;  // and the caret
}

// The items' widths added up. A strip too narrow for its titles scrolls, and a
// title scrolled out of it has no width: it is scrolled back to the first.
int TabsWidth(HWND tabs) {
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)  // some systems scroll by one title a message
        SendMessageW(tabs, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), 0);
    int width = 0;
    for (int i = 0; i < count; ++i) {
        RECT r{};
        SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        width += r.right - r.left;
    }
    // The selected tab stands out by an edge on either side, and the strip
    // has an edge of its own at each end.
    return width + 4 * SystemMetric(SM_CXEDGE, WindowDpi(dialog));
}

// The width a control needs for its text, in pixels at the dialog's dots per inch.
int FittingPixels(const ControlRecord& r) {
    const UINT dpi = WindowDpi(dialog);
    const int edge = SystemMetric(SM_CXEDGE, dpi);
    const int zero = TextWidth(r.hwnd, {L"0"});
    switch (r.kind) {
        case ControlKind::Tabs: return TabsWidth(r.hwnd);
        case ControlKind::Label:
        case ControlKind::RightLabel:
        case ControlKind::CentredLabel: return TextWidth(r.hwnd, {WindowTextOf(r.hwnd)});
        case ControlKind::CheckBox:
            // The box, a digit's width of gap, the text.
            return SystemMetric(SM_CXMENUCHECK, dpi) + zero + TextWidth(r.hwnd, {WindowTextOf(r.hwnd)});
        case ControlKind::Button:
        case ControlKind::DefaultButton: return 4 * edge + zero + TextWidth(r.hwnd, {WindowTextOf(r.hwnd)});
        case ControlKind::DropDownList: {
            std::vector<std::wstring> entries;
            const int count = static_cast<int>(SendMessageW(r.hwnd, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) entries.push_back(ComboEntry(r.hwnd, i));
            return SystemMetric(SM_CXVSCROLL, dpi) + 4 * edge + zero + TextWidth(r.hwnd, entries);
        }
        case ControlKind::TextField:
        case ControlKind::DigitsField: return 2 * edge + FieldTextWidth(r.hwnd, r.kind);
        case ControlKind::KeyField: return 2 * edge + TextWidth(r.hwnd, {WindowTextOf(r.hwnd)});
        case ControlKind::Image:
        case ControlKind::Slider: return 0;
    }
    return 0;
}

}  // namespace

ControlRecord* FindControl(int control) {
    auto it = controls.find(control);
    return it == controls.end() ? nullptr : &it->second;
}

HWND TabsHandle() { return Handle(tabsControl); }

void ShowCurrentPage() {
    HWND tabs = TabsHandle();
    const int page = tabs ? static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)) : -1;
    HWND focus = GetFocus();
    for (auto& [id, r] : controls) {
        if (r.page < 0) continue;
        const bool shown = r.page == page;
        ShowWindow(r.hwnd, shown ? SW_SHOWNA : SW_HIDE);
        // The keyboard must not stay on a control that went out of sight.
        if (!shown && (focus == r.hwnd || IsChild(r.hwnd, focus)) && tabs) SetFocus(tabs);
    }
}

void StackControls() {
    // Images under the buttons laid over them, and the tab control under
    // everything. The Tab key's cycle through the controls keeps its order:
    // only where the tab control comes in it, which is a cycle all the same.
    for (auto& [id, r] : controls) {
        if (r.kind == ControlKind::Image)
            SetWindowPos(r.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (HWND tabs = TabsHandle()) SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void ForgetControls() {
    controls.clear();
    tabsControl = 0;
}

}  // namespace platform::win32

namespace platform {

using win32::dialog;
using win32::Handle;

bool AddControl(int control, ControlKind kind, int page, const Rect& wanted, const std::string& text) {
    if (!dialog || win32::FindControl(control)) return false;
    const win32::Kind k = win32::KindOf(kind);
    POINT origin{0, 0};
    if (page >= 0) origin = win32::PageOrigin();
    const RECT place = win32::ToDialogPixels(page >= 0 ? win32::CutToPage(wanted) : wanted, origin);
    const int closedHeight = place.bottom - place.top;
    const int height = kind == ControlKind::DropDownList
                           ? closedHeight + win32::ToDpi(win32::kDroppedListHeight, win32::WindowDpi(dialog))
                           : closedHeight;
    HWND hwnd = CreateWindowExW(k.exStyle, k.windowClass, win32::Wide(text).c_str(),
                                WS_CHILD | (page < 0 ? WS_VISIBLE : 0) | k.style, place.left, place.top,
                                place.right - place.left, height, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(control)), GetModuleHandleW(nullptr),
                                nullptr);
    if (!hwnd) return false;
    SendMessageW(hwnd, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    if (kind == ControlKind::DropDownList) win32::SetClosedHeight(hwnd, closedHeight);
    if (kind == ControlKind::DefaultButton) SendMessageW(dialog, DM_SETDEFID, static_cast<WPARAM>(control), 0);
    if (kind == ControlKind::Tabs) win32::tabsControl = control;
    if (kind == ControlKind::Slider) {
        SendMessageW(hwnd, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
        SendMessageW(hwnd, TBM_SETPAGESIZE, 0, 10);  // Page Up and Down, and a click beside the thumb
    }
    win32::ControlRecord record;
    record.hwnd = hwnd;
    record.kind = kind;
    record.page = page;
    win32::controls[control] = record;
    return true;
}

bool ControlExists(int control) { return win32::FindControl(control) != nullptr; }

Rect ControlRect(int control) {
    HWND hwnd = Handle(control);
    if (!hwnd) return {};
    const RECT r = win32::PixelRect(hwnd);
    const UINT dpi = win32::WindowDpi(dialog);
    auto design = [dpi](int pixels) { return MulDiv(pixels, static_cast<int>(win32::kDesignDpi), static_cast<int>(dpi)); };
    return {design(r.left), design(r.top), design(r.right - r.left), design(r.bottom - r.top)};
}

void PlaceControl(int control, const Rect& wanted) {
    win32::ControlRecord* r = win32::FindControl(control);
    if (!r) return;
    POINT origin{0, 0};
    if (r->page >= 0) origin = win32::PageOrigin();
    const RECT place = win32::ToDialogPixels(r->page >= 0 ? win32::CutToPage(wanted) : wanted, origin);
    const RECT now = win32::PixelRect(r->hwnd);
    if (now.left == place.left && now.top == place.top && now.right - now.left == place.right - place.left) return;
    const bool list = r->kind == ControlKind::DropDownList;
    const int closedHeight = place.bottom - place.top;
    const int height = list ? closedHeight + win32::ToDpi(win32::kDroppedListHeight, win32::WindowDpi(dialog))
                            : closedHeight;
    SetWindowPos(r->hwnd, nullptr, place.left, place.top, place.right - place.left, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (list) win32::SetClosedHeight(r->hwnd, closedHeight);
    // The place it left shows the tab control beneath, a sibling the move does not repaint.
    RedrawWindow(dialog, &now, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

int FittingWidth(int control) {
    win32::ControlRecord* r = win32::FindControl(control);
    if (!r) return 0;
    return win32::FromDpi(win32::FittingPixels(*r), win32::WindowDpi(dialog));
}

void LimitControlText(int control, int characters) {
    if (HWND hwnd = Handle(control)) SendMessageW(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

void SetControlText(int control, const std::string& text) {
    if (HWND hwnd = Handle(control)) SetWindowTextW(hwnd, win32::Wide(text).c_str());
}

std::string ControlText(int control) {
    win32::ControlRecord* r = win32::FindControl(control);
    if (!r) return {};
    if (r->kind == ControlKind::DropDownList)
        return win32::Utf8(win32::ComboEntry(r->hwnd, static_cast<int>(SendMessageW(r->hwnd, CB_GETCURSEL, 0, 0))));
    return win32::Utf8(win32::WindowTextOf(r->hwnd));
}

void SetControlChecked(int control, bool checked) {
    if (HWND hwnd = Handle(control)) SendMessageW(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool ControlChecked(int control) {
    HWND hwnd = Handle(control);
    return hwnd && SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void EnableControl(int control, bool enabled) {
    if (HWND hwnd = Handle(control)) EnableWindow(hwnd, enabled);
}

bool ControlEnabled(int control) {
    HWND hwnd = Handle(control);
    return hwnd && IsWindowEnabled(hwnd);
}

void FocusControl(int control) {
    if (HWND hwnd = Handle(control)) SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd), TRUE);
}

void SelectAllText(int control) {
    if (HWND hwnd = Handle(control)) SendMessageW(hwnd, EM_SETSEL, 0, -1);
}

void SetControlValue(int control, int value) {
    if (HWND hwnd = Handle(control)) SendMessageW(hwnd, TBM_SETPOS, TRUE, std::clamp(value, 0, 100));
}

int ControlValue(int control) {
    HWND hwnd = Handle(control);
    return hwnd ? static_cast<int>(SendMessageW(hwnd, TBM_GETPOS, 0, 0)) : 0;
}

void SetControlEntries(int control, const std::vector<std::string>& entries) {
    win32::ControlRecord* r = win32::FindControl(control);
    if (!r) return;
    if (r->kind == ControlKind::Tabs) {
        SendMessageW(r->hwnd, TCM_DELETEALLITEMS, 0, 0);
        for (std::size_t i = 0; i < entries.size(); ++i) win32::SetTabTitle(r->hwnd, static_cast<int>(i), entries[i], true);
        return;
    }
    SendMessageW(r->hwnd, CB_RESETCONTENT, 0, 0);
    for (const std::string& e : entries)
        SendMessageW(r->hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Wide(e).c_str()));
    r->reportedEntry = -1;
}

std::vector<std::string> ControlEntries(int control) {
    win32::ControlRecord* r = win32::FindControl(control);
    std::vector<std::string> entries;
    if (!r) return entries;
    const bool tabs = r->kind == ControlKind::Tabs;
    const int count = static_cast<int>(SendMessageW(r->hwnd, tabs ? TCM_GETITEMCOUNT : CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        entries.push_back(win32::Utf8(tabs ? win32::TabTitle(r->hwnd, i) : win32::ComboEntry(r->hwnd, i)));
    return entries;
}

void SetControlEntry(int control, int entry, const std::string& text) {
    win32::ControlRecord* r = win32::FindControl(control);
    if (!r) return;
    if (r->kind == ControlKind::Tabs) {
        win32::SetTabTitle(r->hwnd, entry, text, false);
        return;
    }
    const LRESULT selected = SendMessageW(r->hwnd, CB_GETCURSEL, 0, 0);
    if (SendMessageW(r->hwnd, CB_DELETESTRING, static_cast<WPARAM>(entry), 0) == CB_ERR) return;
    SendMessageW(r->hwnd, CB_INSERTSTRING, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(win32::Wide(text).c_str()));
    SendMessageW(r->hwnd, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void SelectControlEntry(int control, int entry) {
    win32::ControlRecord* r = win32::FindControl(control);
    if (!r) return;
    if (r->kind == ControlKind::Tabs) {
        SendMessageW(r->hwnd, TCM_SETCURSEL, static_cast<WPARAM>(entry), 0);
        win32::ShowCurrentPage();
        return;
    }
    SendMessageW(r->hwnd, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    r->reportedEntry = static_cast<int>(SendMessageW(r->hwnd, CB_GETCURSEL, 0, 0));
}

int SelectedControlEntry(int control) {
    win32::ControlRecord* r = win32::FindControl(control);
    if (!r) return -1;
    const LRESULT entry = SendMessageW(r->hwnd, r->kind == ControlKind::Tabs ? TCM_GETCURSEL : CB_GETCURSEL, 0, 0);
    return entry < 0 ? -1 : static_cast<int>(entry);
}

void SetControlImage(int control, int image) {
    win32::ControlRecord* r = win32::FindControl(control);
    if (!r) return;
    r->image = image;
    RedrawWindow(r->hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void RepaintControl(int control) {
    HWND hwnd = Handle(control);
    if (hwnd && IsWindowVisible(hwnd)) RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

std::string CompactPath(const std::string& path, int width) {
    std::wstring buffer = win32::Wide(path);
    buffer.resize(std::max<std::size_t>(buffer.size() + 1, MAX_PATH), L'\0');
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    PathCompactPathW(dc, buffer.data(), static_cast<UINT>(win32::ToDpi(width, win32::WindowDpi(dialog))));
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    buffer.resize(wcslen(buffer.c_str()));
    return win32::Utf8(buffer);
}

}  // namespace platform
