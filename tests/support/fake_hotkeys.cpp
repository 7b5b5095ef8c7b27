#include "tests/support/fake_hotkeys.h"

#include "platform/hotkeys.h"
#include "platform/other_copy.h"

namespace fake {

HotkeyState hotkeys;

void ResetHotkeys() { hotkeys = HotkeyState{}; }

}  // namespace fake

using fake::hotkeys;

namespace platform {

bool RegisterGlobalHotkey(int id, int modifiers, int key) {
    const std::pair<int, int> combination{modifiers, key};
    if (hotkeys.takenByOthers.contains(combination) || hotkeys.registered.contains(id)) return false;
    for (const auto& [held, c] : hotkeys.registered)
        if (c == combination) return false;
    hotkeys.registered[id] = combination;
    return true;
}

void UnregisterGlobalHotkey(int id) { hotkeys.registered.erase(id); }

bool HotkeyTypesCharacter(int modifiers, int key) { return hotkeys.typing.contains({modifiers, key}); }

std::vector<std::string> CommandLineWords() { return hotkeys.commandLine; }

bool SendToRunningCopy(int command, std::int64_t argument) {
    if (!hotkeys.otherCopyRuns) return false;
    hotkeys.sent.emplace_back(command, argument);
    return true;
}

std::optional<std::string> AskRunningCopyStatus() {
    if (!hotkeys.otherCopyRuns) return std::nullopt;
    return hotkeys.otherCopyStatus;
}

void PublishStatus(const std::string& text) { hotkeys.published = text; }

bool WriteStandardOutput(const std::string& text) {
    hotkeys.output += text;
    return true;
}

}  // namespace platform
