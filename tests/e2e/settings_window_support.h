#pragma once
// Steps the settings window's cases share: opening it, reading its tabs and
// lists, picking entries and turning pages as a user does.
#include <string>
#include <vector>

#include "tests/e2e/case_support.h"

namespace e2e::settings_window {

constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kTabs = 3;
constexpr int kLanguage = 101;
constexpr int kWarningTime = 401;
extern const char* const kTitle;  // the English title

// Presses the settings button of the main window; the window titled title, or nullptr.
HWND OpenWithButton(HWND window, DWORD processId, const std::string& title = kTitle);
// Waits until the window is gone (closed by OK, Cancel or Esc).
bool WaitClosed(HWND dialog);

// The tab titles, read through the program's own memory (a tab item carries a pointer).
std::vector<std::string> TabTitles(HWND tabs, DWORD processId);
// The tab items' places in the tab panel's client area, read the same way.
std::vector<RECT> TabItemRects(HWND tabs, DWORD processId);
int SelectedTab(HWND dialog);
// Turns to a tab page with Ctrl+Tab, as a keyboard user does; true when it is shown.
bool TurnToTab(HWND dialog, int tab);

// A drop-down list's entries, and its selected entry's text.
std::vector<std::string> ListEntries(HWND list);
std::string ListText(HWND dialog, int id);
// Picks a list entry as the list itself reports a choice to its dialog.
void PickEntry(HWND dialog, int id, int entry);
bool WaitForListText(HWND dialog, int id, const std::string& text);

}  // namespace e2e::settings_window
