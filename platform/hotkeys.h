#pragma once
// Keys that reach the program whichever program has the keyboard: each
// registered combination arrives as a message of the main window (msg::Hotkey,
// wParam its id), without the window being activated.
namespace platform {

// Modifier bits of a combination (the Win32 values).
namespace modifier {
constexpr int Alt = 1;
constexpr int Control = 2;
constexpr int Shift = 4;
constexpr int Win = 8;
}  // namespace modifier

// Registers the combination (modifier bits, a virtual-key code) for the main
// window under id (1 or more). False when the system refuses it, which is
// above all when another program holds it already.
bool RegisterGlobalHotkey(int id, int modifiers, int key);
void UnregisterGlobalHotkey(int id);
// True when the combination types a character in the keyboard layout now in
// use (Ctrl+Alt is AltGr on many layouts: Ctrl+Alt+Q types "@" on a German one).
bool HotkeyTypesCharacter(int modifiers, int key);

}  // namespace platform
