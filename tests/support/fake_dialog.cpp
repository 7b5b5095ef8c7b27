#include "tests/support/fake_dialog.h"

#include <algorithm>

#include "tests/support/fake_platform.h"

namespace fake {

DialogState dialog;

void ResetDialog() { dialog = DialogState{}; }

void PushDialog(platform::DialogEventKind kind, int control, std::function<void()> action) {
    dialog.script.push_back(DialogStep{platform::DialogEvent{kind, control}, std::move(action)});
}

Control& ControlOf(int control) { return dialog.controls.at(control); }

void PushCheck(int control, bool checked) {
    PushDialog(platform::DialogEventKind::Clicked, control, [control, checked] { ControlOf(control).checked = checked; });
}

void PushSelect(int control, int entry) {
    PushDialog(platform::DialogEventKind::Selected, control, [control, entry] { ControlOf(control).selected = entry; });
}

void PushClick(int control) { PushDialog(platform::DialogEventKind::Clicked, control); }

void PushSlide(int control, const std::vector<int>& values) {
    for (int value : values)
        PushDialog(platform::DialogEventKind::Sliding, control, [control, value] { ControlOf(control).value = value; });
    PushDialog(platform::DialogEventKind::Selected, control);
}

void TypeInto(int control, const std::string& text) { ControlOf(control).text = text; }

void PushKey(int control, int modifiers, int key) {
    PushDialog(platform::DialogEventKind::KeyTyped, control,
               [=] { ControlOf(control).typed = platform::TypedKey{modifiers, key}; });
}

int FakeChrome(platform::ControlKind kind) {
    switch (kind) {
        case platform::ControlKind::CheckBox: return 16;
        case platform::ControlKind::Button:
        case platform::ControlKind::DefaultButton: return 10;
        case platform::ControlKind::DropDownList: return 24;
        case platform::ControlKind::TextField:
        case platform::ControlKind::DigitsField:
        case platform::ControlKind::KeyField: return 8;
        default: return 0;
    }
}

std::string FakeCompactPath(const std::string& path, int width) {
    const std::size_t fits = static_cast<std::size_t>(width / kCharWidth);
    if (path.size() <= fits) return path;
    const std::size_t keep = fits > 3 ? fits - 3 : 0;
    return path.substr(0, keep / 2) + "..." + path.substr(path.size() - (keep - keep / 2));
}

}  // namespace fake

using fake::dialog;

namespace platform {

namespace {
fake::Control* Find(int control) {
    auto it = dialog.controls.find(control);
    return it == dialog.controls.end() ? nullptr : &it->second;
}
}  // namespace

bool OpenDialog(int innerWidth, int innerHeight, const std::string& title) {
    if (dialog.open) return false;
    dialog.open = true;
    dialog.shown = false;
    dialog.innerWidth = innerWidth;
    dialog.innerHeight = innerHeight;
    dialog.title = title;
    dialog.controls.clear();
    dialog.order.clear();
    fake::state.calls.push_back("OpenDialog");
    return true;
}

void CloseDialog() {
    dialog.open = false;
    dialog.shown = false;
    dialog.controls.clear();
    dialog.order.clear();
    fake::state.calls.push_back("CloseDialog");
}

bool DialogIsOpen() { return dialog.open; }
void ShowDialog() { dialog.shown = true; }
void SetDialogTitle(const std::string& title) { dialog.title = title; }
void SetDialogSize(int innerWidth, int innerHeight) {
    dialog.innerWidth = innerWidth;
    dialog.innerHeight = innerHeight;
}

bool AddControl(int control, ControlKind kind, int page, const Rect& place, const std::string& text) {
    if (!dialog.open || Find(control)) return false;
    fake::Control c;
    c.kind = kind;
    c.page = page;
    c.place = place;
    c.text = text;
    dialog.controls[control] = c;
    dialog.order.push_back(control);
    return true;
}

bool ControlExists(int control) { return Find(control) != nullptr; }
Rect ControlRect(int control) {
    auto* c = Find(control);
    return c ? c->place : Rect{};
}

void PlaceControl(int control, const Rect& place) {
    if (auto* c = Find(control)) c->place = place;
}

int FittingWidth(int control) {
    auto* c = Find(control);
    if (!c) return 0;
    auto width = [](const std::string& text) { return fake::kCharWidth * static_cast<int>(text.size()); };
    int text = width(c->text);
    if (c->kind == ControlKind::Tabs) {
        int all = 4;
        for (const std::string& title : c->entries) all += width(title) + 12;
        return all;
    }
    if (c->kind == ControlKind::DropDownList) {
        text = 0;
        for (const std::string& e : c->entries) text = std::max(text, width(e));
    }
    if (c->limit > 0) text = fake::kCharWidth * c->limit;
    return c->kind == ControlKind::Image ? 0 : text + fake::FakeChrome(c->kind);
}

void LimitControlText(int control, int characters) {
    if (auto* c = Find(control)) c->limit = characters;
}

void SetControlText(int control, const std::string& text) {
    if (auto* c = Find(control)) c->text = text;
}

std::string ControlText(int control) {
    auto* c = Find(control);
    if (!c) return {};
    if (c->kind == ControlKind::DropDownList)
        return c->selected >= 0 && c->selected < static_cast<int>(c->entries.size()) ? c->entries[c->selected] : "";
    return c->text;
}

void SetControlChecked(int control, bool checked) {
    if (auto* c = Find(control)) c->checked = checked;
}
bool ControlChecked(int control) {
    auto* c = Find(control);
    return c && c->checked;
}
void EnableControl(int control, bool enabled) {
    if (auto* c = Find(control)) c->enabled = enabled;
}
bool ControlEnabled(int control) {
    auto* c = Find(control);
    return c && c->enabled;
}
void FocusControl(int control) { dialog.focus = control; }
void SelectAllText(int control) {
    if (auto* c = Find(control)) c->textSelected = true;
}

void SetControlValue(int control, int value) {
    if (auto* c = Find(control)) c->value = std::clamp(value, 0, 100);
}
int ControlValue(int control) {
    auto* c = Find(control);
    return c ? c->value : 0;
}

void SetControlEntries(int control, const std::vector<std::string>& entries) {
    if (auto* c = Find(control)) {
        c->entries = entries;
        c->selected = c->kind == ControlKind::Tabs && !entries.empty() ? 0 : -1;
    }
}

std::vector<std::string> ControlEntries(int control) {
    auto* c = Find(control);
    return c ? c->entries : std::vector<std::string>{};
}

void SetControlEntry(int control, int entry, const std::string& text) {
    auto* c = Find(control);
    if (c && entry >= 0 && entry < static_cast<int>(c->entries.size())) c->entries[entry] = text;
}

void SelectControlEntry(int control, int entry) {
    auto* c = Find(control);
    if (c) c->selected = entry >= 0 && entry < static_cast<int>(c->entries.size()) ? entry : -1;
}

int SelectedControlEntry(int control) {
    auto* c = Find(control);
    return c ? c->selected : -1;
}

void SetControlImage(int control, int image) {
    if (auto* c = Find(control)) c->image = image;
}

void RepaintControl(int control) {
    if (auto* c = Find(control)) ++c->repaints;
}

std::string CompactPath(const std::string& path, int width) { return fake::FakeCompactPath(path, width); }

DialogEvent WaitDialogEvent(int timeoutMs) {
    if (dialog.script.empty()) {
        fake::state.tick += static_cast<std::uint32_t>(timeoutMs);
        // A test that forgot to close the window ends it rather than hang.
        if (++dialog.idleWaits >= fake::state.idleLimit) return DialogEvent{DialogEventKind::Close, 0};
        return {};
    }
    fake::DialogStep step = std::move(dialog.script.front());
    dialog.script.pop_front();
    if (step.action) step.action();
    return step.event;
}

bool IsWindows7OrLater() { return dialog.windows7; }


}  // namespace platform

namespace platform {

TypedKey LastTypedKey(int control) { return fake::ControlOf(control).typed; }

}  // namespace platform
