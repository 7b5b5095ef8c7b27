// The popup menu: a system menu built from the entries each time it is shown,
// with the numbered images as the pictures beside entries.
#include <windows.h>

#include "platform/menu.h"
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
        if (HBITMAP picture = e.icon >= 0 ? ImageBitmap(e.icon, &w, &h) : nullptr) {
            // Drawn with its alpha by the menu; the menu does not own it.
            info.fMask |= MIIM_BITMAP;
            info.hbmpItem = picture;
        }
        InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
    }
}

}  // namespace
}  // namespace platform::win32

namespace platform {

void ShowPopupMenu(const std::vector<MenuEntry>& entries) {
    HWND window = win32::MainWindowHandle();
    HMENU menu = CreatePopupMenu();
    if (!window || !menu) return;
    win32::AddEntries(menu, entries);
    // Pictures and check marks share one column: no entry has both.
    MENUINFO style{};
    style.cbSize = sizeof style;
    style.fMask = MIM_STYLE | MIM_APPLYTOSUBMENUS;
    style.dwStyle = MNS_CHECKORBMP;
    SetMenuInfo(menu, &style);
    POINT at;
    GetCursorPos(&at);
    // The menu's window must be the foreground one, or a click elsewhere would
    // not close the menu; the null message lets a second menu open at once.
    SetForegroundWindow(window);
    TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, window, nullptr);
    PostMessageW(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

}  // namespace platform
