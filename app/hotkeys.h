#pragma once
// Global hotkeys: the commands they give, their text form ("Ctrl+Shift+Alt+Space"),
// the table kept in the settings, and their registration with the system.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct Settings;

enum class HotkeyCommand : int {
    StartPause, Reset, Preset1, Preset2, Preset3, Preset4, Preset5, AddMinute, SubMinute, CountUp, Break,
    ShowHide, Menu,
};
constexpr int kHotkeyCommands = 13;

// A combination: modifier bits (platform/hotkeys.h) and a virtual-key code.
struct Hotkey {
    int modifiers = 0;
    int key = 0;
    bool operator==(const Hotkey&) const = default;
};

// Reads "Ctrl+Shift+Alt+Space": modifiers (Ctrl, Shift, Alt, Win) and one
// key, joined by "+", in any order and letter case, blanks around the parts
// allowed. Nothing for empty text, an unknown name, a repeated part or no key.
std::optional<Hotkey> ParseHotkey(const std::string& text);
// The text form, modifiers in the order Ctrl, Shift, Alt, Win; empty for a
// key without a name.
std::string FormatHotkey(const Hotkey& hotkey);
// The name of a virtual-key code ("Space", "F5", "A", "Num 3"); empty when it has none.
std::string KeyName(int key);

// The combination each command gets when the user turns hotkeys on with none set.
std::string DefaultHotkeyText(HotkeyCommand command);
// The settings field that holds a command's combination.
std::string& HotkeyText(Settings& s, HotkeyCommand command);

// What became of each command's combination at the last registration.
enum class HotkeyStatus { None, Registered, Taken, Invalid, Duplicate };
extern std::array<HotkeyStatus, kHotkeyCommands> hotkeyStatus;

// What the combinations of a table would meet: a combination set for an
// earlier command as well is a duplicate, text that does not read is invalid,
// others are asked of the system through available (true: it is this
// program's to have).
using HotkeyAvailable = std::function<bool(HotkeyCommand, const Hotkey&)>;
std::array<HotkeyStatus, kHotkeyCommands> CheckHotkeyTable(const std::array<std::string, kHotkeyCommands>& texts,
                                                           const HotkeyAvailable& available);
// The settings' table of combinations, in command order.
std::array<std::string, kHotkeyCommands> HotkeyTexts(Settings& s);
// Registers the settings' table when Hotkeys is 1 (after taking back every
// earlier registration) and fills hotkeyStatus.
void RegisterHotkeys();
// Gives every registration back (while the settings window is open, so that
// the combinations can be typed into it).
void ReleaseHotkeys();
// A registered hotkey's message: runs its command without taking the keyboard.
void RunHotkeyCommand(int id);
// The registration id of a command.
constexpr int HotkeyId(HotkeyCommand command) { return static_cast<int>(command) + 1; }
