#pragma once
// The fake's dialog: controls kept as plain values, events scripted by the
// tests, each with an action that runs just before it is delivered (to type
// into a field, tick a box or pick an entry as the user would).
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/dialog.h"

namespace fake {

struct Control {
    platform::ControlKind kind = platform::ControlKind::Label;
    int page = -1;
    platform::Rect place;
    std::string text;
    bool checked = false;
    bool enabled = true;
    std::vector<std::string> entries;
    int selected = -1;
    int image = -1;
    int repaints = 0;
    bool textSelected = false;  // SelectAllText was called
    int limit = 0;              // LimitControlText, 0 none
    int value = 0;              // a slider's position
    platform::TypedKey typed;   // key fields: the last combination typed
};

struct DialogStep {
    platform::DialogEvent event;
    std::function<void()> action;
};

struct DialogState {
    bool open = false;
    bool shown = false;
    int innerWidth = 0, innerHeight = 0;
    std::string title;
    int focus = 0;
    std::map<int, Control> controls;
    std::vector<int> order;  // the controls in the order they were added
    std::deque<DialogStep> script;
    int idleWaits = 0;   // waits that found the script empty
    bool windows7 = true;
};

extern DialogState dialog;

void ResetDialog();
// Queues an event; with an action that changes the control first.
void PushDialog(platform::DialogEventKind kind, int control, std::function<void()> action = {});
// The user's actions: tick or untick a box and click it; pick a list entry; type into a field.
void PushCheck(int control, bool checked);
void PushSelect(int control, int entry);
void PushClick(int control);
// Drags a slider to each value in turn, then lets go of it.
void PushSlide(int control, const std::vector<int>& values);
void TypeInto(int control, const std::string& text);
// Types a combination into a key field.
void PushKey(int control, int modifiers, int key);
Control& ControlOf(int control);

// The fake's measure of texts: 5 pixels a character (about the dialog font's
// average), and what FittingWidth adds for a control's frame, box or arrow.
constexpr int kCharWidth = 5;
int FakeChrome(platform::ControlKind kind);

// Shortens paths as the fake measures them, the middle replaced by "..." when
// the path is wider than the width.
std::string FakeCompactPath(const std::string& path, int width);

}  // namespace fake
