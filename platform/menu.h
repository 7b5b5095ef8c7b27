#pragma once
// The popup menu of the main window and the modal input prompt.
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace platform {

// One entry of a popup menu. An entry with children is a submenu title; one
// with neither an entry number, a text nor children is a separator.
struct MenuEntry {
    int item = 0;           // the number a chosen entry reports in its menu event
    std::string text;
    bool checked = false;
    int icon = -1;          // an image shown beside the text (32-bit with alpha), -1 none
    std::vector<MenuEntry> children;

    bool IsSeparator() const { return item == 0 && text.empty() && children.empty(); }
};

// Shows the menu at the mouse pointer and returns when it closes; a chosen
// entry arrives as a menu event of the main window.
void ShowPopupMenu(const std::vector<MenuEntry>& entries);
// The same, with its top-left corner at a screen point.
void ShowPopupMenuAt(const std::vector<MenuEntry>& entries, Point at);

// A small modal window, centred on the screen and above every top-most window:
// title, a one-line question, a one-line text field holding answer, and the
// buttons OK and Cancel (their captions given). Returns the text of the field,
// or nothing when the user cancelled (Cancel, Esc or the close box).
struct PromptTexts {
    std::string title;
    std::string question;
    std::string answer;
    std::string ok = "OK";
    std::string cancel = "Cancel";
};
std::optional<std::string> InputPrompt(const PromptTexts& texts);

}  // namespace platform
