#include "tests/support/fake_shell.h"

namespace fake {

ShellState shell;

void ResetShell() { shell = ShellState{}; }

}  // namespace fake

using fake::shell;

namespace platform {

void ShowPopupMenu(const std::vector<MenuEntry>& entries) { shell.menus.push_back(entries); }
void ShowPopupMenuAt(const std::vector<MenuEntry>& entries, Point at) {
    shell.menus.push_back(entries);
    shell.menuPlaces.push_back(at);
}

std::optional<std::string> InputPrompt(const PromptTexts& texts) {
    shell.prompts.push_back(texts);
    if (shell.answers.empty()) return std::nullopt;
    const std::optional<std::string> typed = shell.answers.front();
    shell.answers.pop_front();
    return typed;
}

bool CreateTaskbarList() {
    shell.taskbarCreated = shell.taskbarAvailable;
    return shell.taskbarCreated;
}

void ReleaseTaskbarList() {
    if (shell.taskbarCreated) shell.taskbarCalls.push_back("Release");
    shell.taskbarCreated = false;
}

void TaskbarHrInit() {
    if (shell.taskbarCreated) shell.taskbarCalls.push_back("HrInit");
}

void TaskbarSetProgressValue(std::uint64_t completed, std::uint64_t total) {
    if (shell.taskbarCreated)
        shell.taskbarCalls.push_back("SetProgressValue " + std::to_string(completed) + " " + std::to_string(total));
}

void TaskbarSetProgressState(int state) {
    if (shell.taskbarCreated) shell.taskbarCalls.push_back("SetProgressState " + std::to_string(state));
}

void TaskbarSetThumbnailClip(std::optional<Rect> clip) {
    if (!shell.taskbarCreated) return;
    shell.taskbarCalls.push_back(clip ? "SetThumbnailClip " + std::to_string(clip->x) + " " + std::to_string(clip->y) +
                                            " " + std::to_string(clip->width) + " " + std::to_string(clip->height)
                                      : "SetThumbnailClip none");
}

bool ForegroundWindowOfClass(const std::string& className) {
    if (shell.windowClasses.count(className) == 0) return false;
    shell.foregrounds.push_back(className);
    return true;
}

}  // namespace platform
