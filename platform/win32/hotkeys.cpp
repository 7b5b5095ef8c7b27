// Global hotkeys of the main window, from user32.
#include "platform/hotkeys.h"

#include "platform/win32/internal.h"

namespace platform {

// Any refusal counts as taken: Windows says ERROR_HOTKEY_ALREADY_REGISTERED,
// Wine gives a second process ERROR_ALREADY_EXISTS. A held key does not
// repeat the command.
bool RegisterGlobalHotkey(int id, int modifiers, int key) {
    HWND w = win32::MainWindowHandle();
    return w && RegisterHotKey(w, id, static_cast<UINT>(modifiers) | MOD_NOREPEAT, static_cast<UINT>(key));
}

void UnregisterGlobalHotkey(int id) {
    if (HWND w = win32::MainWindowHandle()) UnregisterHotKey(w, id);
}

bool HotkeyTypesCharacter(int modifiers, int key) {
    BYTE keys[256] = {};
    const BYTE down = 0x80;
    if (modifiers & modifier::Control) keys[VK_CONTROL] = keys[VK_LCONTROL] = down;
    if (modifiers & modifier::Alt) keys[VK_MENU] = keys[VK_LMENU] = down;
    if (modifiers & modifier::Shift) keys[VK_SHIFT] = keys[VK_LSHIFT] = down;
    HKL layout = GetKeyboardLayout(0);
    const UINT scan = MapVirtualKeyExW(static_cast<UINT>(key), MAPVK_VK_TO_VSC, layout);
    wchar_t typed[8] = {};
    // Flag 4: the keyboard's dead-key state stays as it was (Windows 10 1607 on).
    int n = ToUnicodeEx(static_cast<UINT>(key), scan, keys, typed, 8, 4, layout);
    if (n < 0) {
        // A dead key: typing it again takes it out of the keyboard's state.
        ToUnicodeEx(static_cast<UINT>(key), scan, keys, typed, 8, 4, layout);
        return true;
    }
    // Control characters (Ctrl+A gives 1) type nothing; nor does a blank that
    // a layout hands back for Space with Ctrl or Alt, which no editor types.
    const bool withCtrlOrAlt = (modifiers & (modifier::Control | modifier::Alt)) != 0;
    for (int i = 0; i < n; ++i) {
        if (typed[i] < L' ' || typed[i] == 0x7F) continue;
        if (typed[i] == L' ' && withCtrlOrAlt) continue;
        return true;
    }
    return false;
}

}  // namespace platform
