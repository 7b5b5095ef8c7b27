#include "settings/settings_window_hotkeys.h"

#include <array>
#include <string>

#include "app/hotkeys.h"
#include "lang/messages.h"
#include "platform/dialog.h"
#include "platform/hotkeys.h"
#include "settings/settings.h"
#include "settings/settings_window_layout.h"

namespace {

constexpr int kBackspace = 0x08, kDelete = 0x2E;
// What the window registers for a moment to learn whether a combination is free.
constexpr int kProbeId = 100;

std::array<std::string, kHotkeyCommands> FieldTexts() {
    std::array<std::string, kHotkeyCommands> texts;
    for (int i = 0; i < kHotkeyCommands; ++i) texts[i] = platform::ControlText(sw::HotkeyField + i);
    return texts;
}

// The program's own hotkeys are given back while the window is open (so that
// they can be typed into the fields): whatever refuses now is another program's.
bool FreeForUs(HotkeyCommand, const Hotkey& hotkey) {
    if (!platform::RegisterGlobalHotkey(kProbeId, hotkey.modifiers, hotkey.key)) return false;
    platform::UnregisterGlobalHotkey(kProbeId);
    return true;
}

std::string NoteFor(HotkeyStatus status, const std::string& text) {
    switch (status) {
        case HotkeyStatus::Taken: return Message(202);
        case HotkeyStatus::Duplicate: return Message(204);
        case HotkeyStatus::Invalid: return Message(205);
        case HotkeyStatus::Registered: {
            const Hotkey hotkey = *ParseHotkey(text);
            return platform::HotkeyTypesCharacter(hotkey.modifiers, hotkey.key) ? Message(203) : std::string();
        }
        case HotkeyStatus::None: return {};
    }
    return {};
}

}  // namespace

void FillHotkeyControls() {
    platform::SetControlChecked(sw::HotkeysOn, settings.Hotkeys == 1);
    for (int i = 0; i < kHotkeyCommands; ++i) {
        const std::string& text = HotkeyText(settings, static_cast<HotkeyCommand>(i));
        const std::optional<Hotkey> hotkey = ParseHotkey(text);
        platform::SetControlText(sw::HotkeyField + i, hotkey ? FormatHotkey(*hotkey) : text);
    }
    ShowHotkeyNotes();
}

void ApplyHotkeyControls() {
    settings.Hotkeys = platform::ControlChecked(sw::HotkeysOn) ? 1 : 0;
    const std::array<std::string, kHotkeyCommands> texts = FieldTexts();
    for (int i = 0; i < kHotkeyCommands; ++i) HotkeyText(settings, static_cast<HotkeyCommand>(i)) = texts[i];
}

void OnHotkeysBox() {
    if (platform::ControlChecked(sw::HotkeysOn)) {
        const std::array<std::string, kHotkeyCommands> texts = FieldTexts();
        bool none = true;
        for (const std::string& t : texts) none = none && t.empty();
        for (int i = 0; none && i < kHotkeyCommands; ++i)
            platform::SetControlText(sw::HotkeyField + i, DefaultHotkeyText(static_cast<HotkeyCommand>(i)));
    }
    ShowHotkeyNotes();
}

void OnKeyTyped(int control) {
    const platform::TypedKey typed = platform::LastTypedKey(control);
    if (typed.modifiers == 0 && (typed.key == kBackspace || typed.key == kDelete)) {
        platform::SetControlText(control, "");
    } else {
        const std::string text = FormatHotkey({typed.modifiers, typed.key});
        if (text.empty()) return;  // a key without a name cannot be kept
        platform::SetControlText(control, text);
    }
    ShowHotkeyNotes();
}

void ShowHotkeyNotes() {
    const bool on = platform::ControlChecked(sw::HotkeysOn);
    const std::array<std::string, kHotkeyCommands> texts = FieldTexts();
    const std::array<HotkeyStatus, kHotkeyCommands> status =
        on ? CheckHotkeyTable(texts, FreeForUs) : std::array<HotkeyStatus, kHotkeyCommands>{};
    for (int i = 0; i < kHotkeyCommands; ++i) {
        platform::EnableControl(sw::HotkeyField + i, on);
        platform::SetControlText(sw::HotkeyNote + i, on ? NoteFor(status[i], texts[i]) : std::string());
    }
}
