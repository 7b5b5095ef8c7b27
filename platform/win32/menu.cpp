// The popup menu: a system menu built from the entries each time it is shown,
// with the numbered images as the pictures beside entries.
#include <windows.h>

#include "platform/menu.h"
#include "platform/win32/dpi.h"
#include "platform/win32/internal.h"
#include "platform/win32/text.h"

namespace platform::win32 {
namespace {

// A lone "&" would underline the next letter of a translated text.
std::wstring MenuText(const std::string& text) {
    std::wstring out;
    for (wchar_t c : Wide(text)) {
        if (c == L'&') out += L'&';
        out += c;
    }
    return out;
}

void AddEntries(HMENU menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& e : entries) {
        if (e.IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::wstring text = MenuText(e.text);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_STATE | MIIM_ID;
        info.dwTypeData = text.data();
        info.fState = e.checked ? MFS_CHECKED : MFS_UNCHECKED;
        info.wID = static_cast<UINT>(e.item);
        if (!e.children.empty()) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = CreatePopupMenu();
            AddEntries(info.hSubMenu, e.children);
        }
        int w = 0, h = 0;
        if (e.icon >= 0 && ImageDc(e.icon, &w, &h)) {
            // Drawn by us on the menu's own background, whatever its colour
            // and whether the entry is highlighted (MeasureMenuPicture,
            // DrawMenuPicture): menus that draw bitmaps themselves do not
            // all honour their alpha.
            info.fMask |= MIIM_BITMAP | MIIM_DATA;
            info.hbmpItem = HBMMENU_CALLBACK;
            info.dwItemData = static_cast<ULONG_PTR>(e.icon);
        }
        InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
    }
}

}  // namespace

bool MeasureMenuPicture(MEASUREITEMSTRUCT* measure) {
    int w = 0, h = 0;
    if (measure->CtlType != ODT_MENU || !ImageDc(static_cast<int>(measure->itemData), &w, &h)) return false;
    // A little air between the picture and the text; all at the menu's dots per inch.
    const UINT dpi = WindowDpi(MainWindowHandle());
    measure->itemWidth = static_cast<UINT>(ToDpi(w + 4, dpi));
    measure->itemHeight = static_cast<UINT>(ToDpi(h + 2, dpi));
    return true;
}

bool DrawMenuPicture(const DRAWITEMSTRUCT* draw) {
    int w = 0, h = 0;
    const int image = static_cast<int>(draw->itemData);
    HDC source = draw->CtlType == ODT_MENU ? ImageDc(image, &w, &h) : nullptr;
    if (!source) return false;
    const RECT& r = draw->rcItem;
    const UINT dpi = WindowDpi(MainWindowHandle());
    const int shownW = ToDpi(w, dpi), shownH = ToDpi(h, dpi);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(draw->hDC, r.left + (r.right - r.left - shownW) / 2, r.top + (r.bottom - r.top - shownH) / 2, shownW,
                  shownH, source, 0, 0, w, h, blend);
    return true;
}

}  // namespace platform::win32

namespace platform {

void ShowPopupMenuAt(const std::vector<MenuEntry>& entries, Point at) {
    HWND window = win32::MainWindowHandle();
    HMENU menu = CreatePopupMenu();
    if (!window || !menu) return;
    win32::AddEntries(menu, entries);
    // The menu's window must be the foreground one, or a click elsewhere would
    // not close the menu; the null message lets a second menu open at once.
    SetForegroundWindow(window);
    TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, window, nullptr);
    PostMessageW(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

void ShowPopupMenu(const std::vector<MenuEntry>& entries) {
    POINT at;
    GetCursorPos(&at);
    ShowPopupMenuAt(entries, {at.x, at.y});
}

}  // namespace platform
