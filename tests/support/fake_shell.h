#pragma once
// The fake's popup menu, input prompt, taskbar list and other programs' windows.
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/menu.h"
#include "platform/shell.h"

namespace fake {

struct ShellState {
    // Every menu shown, as it was shown.
    std::vector<std::vector<platform::MenuEntry>> menus;
    // Where the menus shown at a point of the program's choosing stood.
    std::vector<platform::Point> menuPlaces;
    // What the user types into the next prompts, in order; nothing: Cancel.
    std::deque<std::optional<std::string>> answers;
    std::vector<platform::PromptTexts> prompts;

    // Whether the taskbar list can be made, whether it is, and the calls made
    // on it in order: "HrInit", "SetProgressValue 75 100", "SetProgressState 2",
    // "SetThumbnailClip 0 0 50 300" or "SetThumbnailClip none".
    bool taskbarAvailable = true;
    bool taskbarCreated = false;
    std::vector<std::string> taskbarCalls;

    // Classes of the other programs' top-level windows, and the classes made
    // the foreground window, in order.
    std::set<std::string> windowClasses;
    std::vector<std::string> foregrounds;
};

extern ShellState shell;

void ResetShell();

}  // namespace fake
