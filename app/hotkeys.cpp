#include "app/hotkeys.h"

#include <cctype>
#include <string_view>

#include "app/main_window.h"
#include "app/presentation.h"
#include "app/timer_commands.h"
#include "app/timer_engine.h"
#include "platform/gadgets.h"
#include "platform/hotkeys.h"
#include "platform/menu.h"
#include "platform/window.h"
#include "settings/settings.h"
#include "timekeeping/timer_menu.h"

std::array<HotkeyStatus, kHotkeyCommands> hotkeyStatus{};

namespace {

struct NamedKey {
    std::string_view name;
    int key;
};

// Keys with names of their own; letters, digits and F1 to F24 are made below.
constexpr NamedKey kNamedKeys[] = {
    {"Space", 0x20},     {"Up", 0x26},         {"Down", 0x28},      {"Left", 0x25},          {"Right", 0x27},
    {"Home", 0x24},      {"End", 0x23},        {"PageUp", 0x21},    {"PageDown", 0x22},      {"Insert", 0x2D},
    {"Delete", 0x2E},    {"Pause", 0x13},      {"Enter", 0x0D},     {"Tab", 0x09},           {"Backspace", 0x08},
    {"Escape", 0x1B},    {"Plus", 0xBB},       {"Minus", 0xBD},     {"Comma", 0xBC},         {"Period", 0xBE},
    {"NumMultiply", 0x6A}, {"NumAdd", 0x6B},   {"NumSubtract", 0x6D}, {"NumDecimal", 0x6E},  {"NumDivide", 0x6F},
    {"MediaNext", 0xB0}, {"MediaPrevious", 0xB1}, {"MediaStop", 0xB2}, {"MediaPlayPause", 0xB3},
};

struct NamedModifier {
    std::string_view name;
    int bit;
};
constexpr NamedModifier kModifiers[] = {{"Ctrl", platform::modifier::Control},
                                        {"Shift", platform::modifier::Shift},
                                        {"Alt", platform::modifier::Alt},
                                        {"Win", platform::modifier::Win}};

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

int KeyOfName(std::string_view name) {
    for (int key = 0x08; key <= 0xFE; ++key)
        if (!KeyName(key).empty() && SameName(KeyName(key), name)) return key;
    return 0;
}

constexpr std::string Settings::*kHotkeyFields[kHotkeyCommands] = {
    &Settings::HotkeyStartPause, &Settings::HotkeyReset,     &Settings::HotkeyPreset1, &Settings::HotkeyPreset2,
    &Settings::HotkeyPreset3,    &Settings::HotkeyPreset4,   &Settings::HotkeyPreset5, &Settings::HotkeyAddMinute,
    &Settings::HotkeySubMinute,  &Settings::HotkeyCountUp,   &Settings::HotkeyBreak,   &Settings::HotkeyShowHide,
    &Settings::HotkeyMenu,
};

// The popup menu, opened below the timer readout (or the strip's top when
// the timer is not shown). Being a menu, it takes the keyboard while it is open.
void OpenMenuAtStrip() {
    if (InBreak()) return;
    const int g = platform::GadgetExists(gadget::TimerReadout) ? gadget::TimerReadout : gadget::TopBar;
    const platform::Rect r = platform::GadgetScreenRect(g);
    mainLoop.popupShown = 1;
    BuildTimerMenu();
    platform::ShowPopupMenuAt(timerMenu, {r.x, r.y + r.height / 2});
}

}  // namespace

std::string KeyName(int key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    if (key >= 0x70 && key <= 0x87) return "F" + std::to_string(key - 0x70 + 1);
    if (key >= 0x60 && key <= 0x69) return "Num" + std::to_string(key - 0x60);
    for (const NamedKey& k : kNamedKeys)
        if (k.key == key) return std::string(k.name);
    return {};
}

std::optional<Hotkey> ParseHotkey(const std::string& text) {
    Hotkey hotkey;
    std::string_view rest = text;
    for (;;) {
        const std::size_t plus = rest.find('+');
        const std::string_view part = Trimmed(rest.substr(0, plus));
        const bool last = plus == std::string_view::npos;
        int bit = 0;
        for (const NamedModifier& m : kModifiers)
            if (SameName(m.name, part)) bit = m.bit;
        if (bit != 0 && !last) {
            if (hotkey.modifiers & bit) return std::nullopt;
            hotkey.modifiers |= bit;
        } else {
            if (!last || part.empty()) return std::nullopt;
            hotkey.key = KeyOfName(part);
            return hotkey.key != 0 ? std::optional<Hotkey>(hotkey) : std::nullopt;
        }
        rest.remove_prefix(plus + 1);
    }
}

std::string FormatHotkey(const Hotkey& hotkey) {
    const std::string key = KeyName(hotkey.key);
    if (key.empty()) return {};
    std::string text;
    for (const NamedModifier& m : kModifiers)
        if (hotkey.modifiers & m.bit) text += std::string(m.name) + "+";
    return text + key;
}

std::string DefaultHotkeyText(HotkeyCommand command) {
    // Ctrl+Alt is AltGr on many layouts, and Ctrl+Alt with an arrow turns the
    // screen on many graphics drivers: with Shift as well, nothing types.
    const std::string base = "Ctrl+Shift+Alt+";
    switch (command) {
        case HotkeyCommand::StartPause: return base + "Space";
        case HotkeyCommand::Reset: return base + "0";
        case HotkeyCommand::Preset1:
        case HotkeyCommand::Preset2:
        case HotkeyCommand::Preset3:
        case HotkeyCommand::Preset4:
        case HotkeyCommand::Preset5:
            return base + std::to_string(static_cast<int>(command) - static_cast<int>(HotkeyCommand::Preset1) + 1);
        case HotkeyCommand::AddMinute: return base + "Up";
        case HotkeyCommand::SubMinute: return base + "Down";
        default: return {};
    }
}

std::string& HotkeyText(Settings& s, HotkeyCommand command) { return s.*kHotkeyFields[static_cast<int>(command)]; }

std::array<std::string, kHotkeyCommands> HotkeyTexts(Settings& s) {
    std::array<std::string, kHotkeyCommands> texts;
    for (int i = 0; i < kHotkeyCommands; ++i) texts[i] = HotkeyText(s, static_cast<HotkeyCommand>(i));
    return texts;
}

std::array<HotkeyStatus, kHotkeyCommands> CheckHotkeyTable(const std::array<std::string, kHotkeyCommands>& texts,
                                                           const HotkeyAvailable& available) {
    std::array<HotkeyStatus, kHotkeyCommands> status{};
    for (int i = 0; i < kHotkeyCommands; ++i) {
        if (texts[i].empty()) continue;
        const std::optional<Hotkey> hotkey = ParseHotkey(texts[i]);
        if (!hotkey) {
            status[i] = HotkeyStatus::Invalid;
            continue;
        }
        bool earlier = false;
        for (int j = 0; j < i && !earlier; ++j) earlier = ParseHotkey(texts[j]) == hotkey;
        status[i] = earlier                                              ? HotkeyStatus::Duplicate
                    : available(static_cast<HotkeyCommand>(i), *hotkey) ? HotkeyStatus::Registered
                                                                         : HotkeyStatus::Taken;
    }
    return status;
}

void ReleaseHotkeys() {
    for (int i = 0; i < kHotkeyCommands; ++i) platform::UnregisterGlobalHotkey(HotkeyId(static_cast<HotkeyCommand>(i)));
    hotkeyStatus = {};
}

void RegisterHotkeys() {
    ReleaseHotkeys();
    if (settings.Hotkeys != 1) return;
    hotkeyStatus = CheckHotkeyTable(HotkeyTexts(settings), [](HotkeyCommand command, const Hotkey& hotkey) {
        return platform::RegisterGlobalHotkey(HotkeyId(command), hotkey.modifiers, hotkey.key);
    });
}

void RunHotkeyCommand(int id) {
    if (id < 1 || id > kHotkeyCommands) return;
    const auto command = static_cast<HotkeyCommand>(id - 1);
    const KeepFocusWhereItIs keep;
    switch (command) {
        case HotkeyCommand::StartPause: StartOrPause(); break;
        case HotkeyCommand::Reset: ResetTimer(); break;
        case HotkeyCommand::Preset1:
        case HotkeyCommand::Preset2:
        case HotkeyCommand::Preset3:
        case HotkeyCommand::Preset4:
        case HotkeyCommand::Preset5:
            SetPresetCountDown(static_cast<int>(command) - static_cast<int>(HotkeyCommand::Preset1) + 1);
            break;
        case HotkeyCommand::AddMinute: NudgeTimer(60000); break;
        case HotkeyCommand::SubMinute: NudgeTimer(-60000); break;
        case HotkeyCommand::CountUp: StartCountUp(); break;
        case HotkeyCommand::Break: StartLastBreak(); break;
        case HotkeyCommand::ShowHide: platform::ShowMainWindow(!platform::MainWindowIsVisible()); break;
        case HotkeyCommand::Menu: OpenMenuAtStrip(); break;
    }
}
