// The settings window as a user meets it: opened by the settings button and
// by the menu entry, its tabs and controls, the keyboard, the language
// preview, a preset typed and accepted, the window border, "Edit", and the
// alert previews.
#include "tests/e2e/settings_window_support.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

namespace {

using namespace e2e::settings_window;

constexpr int kEdit = 102;
constexpr int kMinutes3 = 222;
constexpr int kSeconds3 = 242;
constexpr int kBorder = 308;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }



// A control's place in the dialog's client area.
RECT PlaceInDialog(HWND dialog, int id) {
    RECT r = e2e::FindChild(dialog, id).rect;
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool PlacedAt(HWND dialog, int id, int x, int y, int w, int h) {
    const RECT r = PlaceInDialog(dialog, id);
    return r.left == x && r.top == y && r.right - r.left == w && r.bottom - r.top == h;
}



// The control that has the keyboard focus in the program's window thread.
HWND FocusOf(HWND dialog) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}



// A field's text as the field itself gives it.
std::string FieldText(HWND dialog, int id) { return e2e::FieldText(e2e::FindChild(dialog, id).hwnd); }

bool WaitForText(HWND dialog, int id, const std::string& text) {
    for (int i = 0; i < 50; ++i) {
        if (FieldText(dialog, id) == text) return true;
        e2e::Pause(100);
    }
    return false;
}



RECT OuterRect(HWND window) { return e2e::WindowRect(window); }

}  // namespace

E2E_CASE(settings_window_tabs_controls_and_keyboard) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        const DWORD pressed = GetTickCount();
        HWND dialog = OpenWithButton(window, program.id);
        if (CHECK(dialog != nullptr, "button 35 opens the window titled \"Horavel Settings\"")) {
            // The press itself takes about 600 ms of the driver's pauses.
            e2e::Log("the settings window stood " + std::to_string(GetTickCount() - pressed) + " ms after the press began");
            // As designed, 428 x 370, widened only as far as the eight tab titles need.
            const RECT client = e2e::ClientRect(dialog);
            const int wider = client.right - 428;
            CHECK(wider >= 0 && wider <= 100 && client.bottom == 370,
                  "inner size 428 x 370 or a little wider, not " + std::to_string(client.right) + " x " +
                      std::to_string(client.bottom));
            const RECT outer = OuterRect(dialog);
            CHECK(std::abs((outer.left + outer.right) / 2 - 960) <= 1, "centred across the screen");
            CHECK(GetWindow(dialog, GW_OWNER) == window, "owned by the main window");
            CHECK(!IsWindowEnabled(window), "the main window takes no input meanwhile");
            const std::vector<std::string> titles = TabTitles(e2e::FindChild(dialog, kTabs).hwnd, program.id);
            const std::vector<std::string> expected = {"General", "Buttons", "Display", "Timer Warning", "Timer Finish",
                                                       "Hotkeys", "Stage View", "About"};
            CHECK(titles == expected, "eight tabs in order, the first \"" + (titles.empty() ? "" : titles[0]) + "\"");
            CHECK(PlacedAt(dialog, kTabs, 10, 10, 410 + wider, 290), "the tab panel at (10, 10), 410 x 290 and the widening");
            CHECK(PlacedAt(dialog, kOk, 340 + wider, 305, 80, 25), "OK at (340, 305), 80 x 25, under the panel's right edge");
            CHECK(PlacedAt(dialog, kCancel, 340 + wider, 335, 80, 25), "Cancel at (340, 335), 80 x 25, below OK");
            CHECK(e2e::WindowText(e2e::FindChild(dialog, kOk).hwnd) == "OK", "OK reads OK");
            CHECK(GetWindowLongW(e2e::FindChild(dialog, kOk).hwnd, GWL_STYLE) & BS_DEFPUSHBUTTON,
                  "OK is the default button");
            // Page controls stand at their page places: the language list 130 to the right of the "Edit" button's 328.
            const RECT language = PlaceInDialog(dialog, kLanguage);
            const RECT edit = PlaceInDialog(dialog, kEdit);
            CHECK(edit.left - language.left == 198 && edit.top == language.top,
                  "\"Edit\" stands 198 pixels right of the language list, on its row");
            CHECK(language.right - language.left == 190 && language.bottom - language.top == 20,
                  "the language list is 190 x 20 when closed, not " + std::to_string(language.right - language.left) +
                      " x " + std::to_string(language.bottom - language.top));
            CHECK(ListText(dialog, kLanguage) == "English", "English is selected");
            const char* names[] = {"general", "buttons", "display", "warning", "finish", "hotkeys", "stage", "about"};
            for (int tab = 0; tab < 8; ++tab) {
                CHECK(SelectedTab(dialog) == tab, "Ctrl+Tab reaches tab " + std::to_string(tab));
                e2e::Pause(300);
                e2e::Screenshot(std::string("settings_") + names[tab]);
                e2e::PressKeyWith({VK_CONTROL}, VK_TAB);
                e2e::Pause(300);
            }
            CHECK(FocusOf(dialog) == e2e::FindChild(dialog, kTabs).hwnd, "the focus starts on the tab panel");
            // Tab walks in reading order: the tab panel, the language list, "Edit".
            e2e::PressKey(VK_TAB);
            e2e::Pause(200);
            CHECK(FocusOf(dialog) == e2e::FindChild(dialog, kLanguage).hwnd, "Tab goes to the language list");
            e2e::PressKey(VK_TAB);
            e2e::Pause(200);
            CHECK(FocusOf(dialog) == e2e::FindChild(dialog, kEdit).hwnd, "then to \"Edit\"");
            e2e::PressKeyWith({VK_SHIFT}, VK_TAB);
            e2e::Pause(200);
            CHECK(FocusOf(dialog) == e2e::FindChild(dialog, kLanguage).hwnd, "Shift+Tab goes back");
            CHECK(SelectedTab(dialog) == 0, "Ctrl+Tab after the last tab comes back to the first");
            CHECK(!IsWindowVisible(e2e::FindChild(dialog, kMinutes3).hwnd), "another page's fields are hidden");
            e2e::PressKey(VK_ESCAPE);
            CHECK(WaitClosed(dialog), "Esc closes the window");
            CHECK(IsWindowEnabled(window), "the main window takes input again");
        }
        // The menu's "Settings" entry opens it as well.
        PostMessageW(window, WM_COMMAND, 108, 0);
        dialog = e2e::WaitForWindow(kTitle, program.id, 10000);
        if (CHECK(dialog != nullptr, "menu entry 108 opens the window")) {
            e2e::ClickWindow(e2e::FindChild(dialog, kCancel).hwnd);
            CHECK(WaitClosed(dialog), "Cancel closes it");
        }
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(settings_window_language_preview_and_cancel) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    HWND dialog = window ? OpenWithButton(window, program.id) : nullptr;
    if (CHECK(dialog != nullptr, "the settings window opens")) {
        PickEntry(dialog, kLanguage, 2);  // "Deutsch"
        CHECK(WaitForText(dialog, kCancel, "Abbruch"), "Cancel is relabelled \"Abbruch\"");
        const std::vector<std::string> titles = TabTitles(e2e::FindChild(dialog, kTabs).hwnd, program.id);
        CHECK(!titles.empty() && titles[0] == "Allgemein", "the first tab reads \"Allgemein\"");
        CHECK(e2e::WindowText(dialog) != kTitle, "the title is German: \"" + e2e::WindowText(dialog) + "\"");
        CHECK(ListText(dialog, kLanguage) == "Deutsch", "Deutsch stays selected");
        // The controls grew with their German texts; the places they left are painted again.
        // (Once the new layout's own paints are done: they follow the texts.)
        const e2e::Pixels shown = e2e::SteadyPicture(dialog, 3000);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        const e2e::Pixels repainted = e2e::SteadyPicture(dialog, 3000);
        if (!CHECK(repainted.rgb == shown.rgb, "a full repaint changes nothing the new layout left on the screen")) {
            int left = shown.width, top = shown.height, right = -1, bottom = -1;
            for (int y = 0; y < std::min(shown.height, repainted.height); ++y)
                for (int x = 0; x < std::min(shown.width, repainted.width); ++x)
                    if (shown.At(x, y) != repainted.At(x, y)) {
                        left = std::min(left, x), top = std::min(top, y);
                        right = std::max(right, x), bottom = std::max(bottom, y);
                    }
            e2e::Log("the repaint changed x " + std::to_string(left) + "-" + std::to_string(right) + ", y " +
                     std::to_string(top) + "-" + std::to_string(bottom));
            e2e::Screenshot("settings_german_before_repaint", shown);
        }
        e2e::Screenshot("settings_german");
        e2e::ClickWindow(e2e::FindChild(dialog, kCancel).hwnd);
        CHECK(WaitClosed(dialog), "Cancel closes the window");
        dialog = OpenWithButton(window, program.id);
        if (CHECK(dialog != nullptr, "the English title comes back")) {
            CHECK(e2e::WindowText(e2e::FindChild(dialog, kCancel).hwnd) == "Cancel", "Cancel reads Cancel again");
            e2e::PressKey(VK_ESCAPE);
            WaitClosed(dialog);
        }
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(settings_window_preset_typed_and_accepted) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    HWND dialog = window ? OpenWithButton(window, program.id) : nullptr;
    if (CHECK(dialog != nullptr, "the settings window opens")) {
        TurnToTab(dialog, 1);
        CHECK(FieldText(dialog, kMinutes3) == "10", "Button3's minutes read 10");
        // A click selects the whole field, so typing replaces it.
        e2e::ClickWindow(e2e::FindChild(dialog, kMinutes3).hwnd);
        e2e::Pause(200);
        e2e::TypeText("0");
        e2e::ClickWindow(e2e::FindChild(dialog, kSeconds3).hwnd);
        e2e::Pause(200);
        e2e::TypeText("90");
        e2e::Pause(200);
        CHECK(FieldText(dialog, kMinutes3) == "0", "the minutes field reads 0");
        CHECK(FieldText(dialog, kSeconds3) == "90", "the seconds field reads 90");
        e2e::PressKey(VK_RETURN);
        CHECK(WaitClosed(dialog), "Enter is OK and closes the window");
        CHECK(e2e::WaitForCaption(window, 40, "1m30s", 5000),
              "the third preset reads 1m30s, not \"" + e2e::WindowText(e2e::FindChild(window, 40).hwnd) + "\"");
        std::string saved;
        CHECK(e2e::ReadFileBytes(e2e::SettingsFolder() + "HV_Settings.ini", saved) &&
                  Contains(saved, "\r\nButton3 = 90\r\n"),
              "the settings file holds Button3 = 90");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(settings_window_border_keeps_the_right_edge) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        const RECT before = OuterRect(window);
        for (bool framed : {true, false}) {
            HWND dialog = OpenWithButton(window, program.id);
            if (!CHECK(dialog != nullptr, "the settings window opens")) break;
            TurnToTab(dialog, 2);
            e2e::ClickWindow(e2e::FindChild(dialog, kBorder).hwnd, 8, 10);
            e2e::Pause(200);
            e2e::ClickWindow(e2e::FindChild(dialog, kOk).hwnd);
            CHECK(WaitClosed(dialog), "OK closes the window");
            bool styled = false;
            for (int i = 0; i < 50 && !styled; ++i) {
                styled = ((GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) == framed &&
                         IsWindowVisible(window);
                e2e::Pause(100);
            }
            CHECK(styled, framed ? "the main window gets a title bar" : "the main window loses its title bar");
            e2e::Pause(500);
            const RECT after = OuterRect(window);
            CHECK(after.right == before.right, "the outer right edge stays at " + std::to_string(before.right) +
                                                   ", not " + std::to_string(after.right));
            if (framed) e2e::Screenshot("settings_border_on");
        }
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(settings_window_edit_opens_the_language_file) {
    // A fresh Wine prefix knows the text editor but not that .txt files are text, as a desktop does.
    CHECK(e2e::WriteRegistryString(HKEY_CLASSES_ROOT, ".txt", "", "txtfile"),
          ".txt files open with the text editor");
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    HWND dialog = window ? OpenWithButton(window, program.id) : nullptr;
    if (CHECK(dialog != nullptr, "the settings window opens")) {
        const std::string file = e2e::SettingsFolder() + "English_v167.txt";
        CHECK(!e2e::FileExists(file), "no English language file at first");
        e2e::ClickWindow(e2e::FindChild(dialog, kEdit).hwnd);
        std::string text;
        for (int i = 0; i < 50 && !e2e::ReadFileBytes(file, text); ++i) e2e::Pause(100);
        CHECK(text.rfind("Text File for Horavel (Do not Translate This Line)\r\n001-OK\r\n", 0) == 0,
              "the English table is written to %APPDATA%\\Horavel\\English_v167.txt");
        // The shell opens it in the user's editor.
        HWND editor = e2e::WaitForWindowTitled("English_v167", 15000);
        CHECK(editor != nullptr, "an editor window shows the file");
        if (editor) PostMessageW(editor, WM_CLOSE, 0, 0);
        CHECK(IsWindow(dialog), "the settings window stays open");
        e2e::ClickWindow(e2e::FindChild(dialog, kCancel).hwnd);
        CHECK(WaitClosed(dialog), "Cancel closes it");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(settings_window_custom_warning_time) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    HWND dialog = window ? OpenWithButton(window, program.id) : nullptr;
    if (CHECK(dialog != nullptr, "the settings window opens")) {
        TurnToTab(dialog, 3);
        PickEntry(dialog, kWarningTime, 0);
        std::string proposed;
        CHECK(e2e::AnswerPrompt(program.id, "Horavel", "2:5", &proposed), "the custom time prompt takes 2:5");
        CHECK(proposed == "01:30", "the prompt proposes 01:30, not \"" + proposed + "\"");
        CHECK(WaitForListText(dialog, kWarningTime, "Custom... (02:05)"), "the custom entry shows 02:05");
        CHECK(IsWindow(dialog), "the settings window stays open");
        // Choosing the custom entry again from the open list asks again, proposing the time it shows.
        e2e::ClickWindow(e2e::FindChild(dialog, kWarningTime).hwnd);
        e2e::Pause(300);
        e2e::PressKey(VK_RETURN);
        CHECK(e2e::AnswerPrompt(program.id, "Horavel", "3:00", &proposed), "the prompt comes again and takes 3:00");
        CHECK(proposed == "02:05", "it proposes 02:05, not \"" + proposed + "\"");
        CHECK(WaitForListText(dialog, kWarningTime, "Custom... (03:00)"), "the custom entry shows 03:00");
        e2e::ClickWindow(e2e::FindChild(dialog, kOk).hwnd);
        CHECK(WaitClosed(dialog), "OK closes the window");
        std::string saved;
        CHECK(e2e::ReadFileBytes(e2e::SettingsFolder() + "HV_Settings.ini", saved) &&
                  Contains(saved, "\r\nWarningTime = -180\r\n"),
              "the settings file holds WarningTime = -180");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(settings_window_cancelled_warning_prompt_changes_nothing) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    HWND dialog = window ? OpenWithButton(window, program.id) : nullptr;
    if (CHECK(dialog != nullptr, "the settings window opens")) {
        TurnToTab(dialog, 3);
        PickEntry(dialog, kWarningTime, 2);
        CHECK(WaitForListText(dialog, kWarningTime, "30 Sec Remaining"), "\"30 Sec Remaining\" is chosen");
        PickEntry(dialog, kWarningTime, 0);
        CHECK(e2e::AnswerPrompt(program.id, "Horavel", "", nullptr, true), "Esc closes the custom time prompt");
        CHECK(e2e::Settle(dialog) && WaitForListText(dialog, kWarningTime, "30 Sec Remaining"),
              "the list is back on \"30 Sec Remaining\", not \"" + ListText(dialog, kWarningTime) + "\"");
        PickEntry(dialog, kWarningTime, 0);
        CHECK(e2e::ClosePromptBox(program.id, "Horavel"), "the close box closes the prompt");
        CHECK(e2e::Settle(dialog) && WaitForListText(dialog, kWarningTime, "30 Sec Remaining"),
              "the list is back on \"30 Sec Remaining\" again");
        CHECK(ListEntries(e2e::FindChild(dialog, kWarningTime).hwnd).front() == "Custom...",
              "the custom entry shows no time");
        e2e::ClickWindow(e2e::FindChild(dialog, kOk).hwnd);
        CHECK(WaitClosed(dialog), "OK closes the window");
        std::string saved;
        CHECK(e2e::ReadFileBytes(e2e::SettingsFolder() + "HV_Settings.ini", saved) &&
                  Contains(saved, "\r\nWarningTime = 2\r\n"),
              "the settings file holds WarningTime = 2");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

namespace {

constexpr int kSalary = 109;
constexpr int kMinutes1 = 220;
constexpr int kSeconds1 = 240;

// Selects the field's whole text and types over it, as after a double click.
void TypeOver(HWND dialog, int id, const std::string& text) {
    HWND field = e2e::FindChild(dialog, id).hwnd;
    e2e::ClickWindow(field);
    e2e::Settle(dialog);
    SendMessageW(field, EM_SETSEL, 0, -1);
    e2e::TypeText(text);
    e2e::Settle(dialog);
}

bool SetClipboardText(const std::string& text) {
    const std::wstring wide = e2e::Widen(text);
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    bool set = false;
    if (memory) {
        std::copy(wide.c_str(), wide.c_str() + wide.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
        GlobalUnlock(memory);
        set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    }
    CloseClipboard();
    return set;
}

}  // namespace

E2E_CASE(settings_window_fields_take_digits_only) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    HWND dialog = window ? OpenWithButton(window, program.id) : nullptr;
    if (CHECK(dialog != nullptr, "the settings window opens")) {
        TypeOver(dialog, kSalary, "-5");
        CHECK(FieldText(dialog, kSalary) == "5", "the salary takes no sign: \"" + FieldText(dialog, kSalary) + "\"");
        TypeOver(dialog, kSalary, "12345678901");
        CHECK(FieldText(dialog, kSalary) == "123456789",
              "the salary takes nine digits: \"" + FieldText(dialog, kSalary) + "\"");
        // A sign can still come in by the clipboard: it reads as 0.
        HWND salary = e2e::FindChild(dialog, kSalary).hwnd;
        CHECK(SetClipboardText("-5"), "\"-5\" is on the clipboard");
        SendMessageW(salary, EM_SETSEL, 0, -1);
        SendMessageW(salary, WM_PASTE, 0, 0);
        const std::string pasted = FieldText(dialog, kSalary);
        CHECK(pasted == "-5" || pasted == "5", "the paste gives \"" + pasted + "\"");
        TurnToTab(dialog, 1);
        TypeOver(dialog, kMinutes1, "1234");
        CHECK(FieldText(dialog, kMinutes1) == "123", "the minutes take three digits: \"" + FieldText(dialog, kMinutes1) + "\"");
        TypeOver(dialog, kSeconds1, "-59");
        CHECK(FieldText(dialog, kSeconds1) == "59", "the seconds take two digits and no sign: \"" +
                                                      FieldText(dialog, kSeconds1) + "\"");
        e2e::ClickWindow(e2e::FindChild(dialog, kOk).hwnd);
        CHECK(WaitClosed(dialog), "OK closes the window");
        std::string saved;
        CHECK(e2e::ReadFileBytes(e2e::SettingsFolder() + "HV_Settings.ini", saved), "the settings file is there");
        const std::string salaryLine = pasted == "-5" ? "\r\nCostSalary = 0\r\n" : "\r\nCostSalary = 5\r\n";
        CHECK(Contains(saved, salaryLine), "the pasted salary is stored as " + salaryLine.substr(2, salaryLine.size() - 4));
        CHECK(Contains(saved, "\r\nButton1 = 7439\r\n"), "Button1 is 123:59, 7439 seconds");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

namespace {

constexpr int kWarningFlashPreview = 405;
constexpr int kWarningPopupPreview = 407;
constexpr int kFinishFlashPreview = 503;
constexpr int kFinishPopupPreview = 505;

// Whether the program has a window of this class: any, or a shown one. An
// alert hides its window between its openings and destroys it at its end.
bool HasAlert(DWORD processId, const char* windowClass, bool shownOnly) {
    for (HWND hwnd : e2e::TopLevelWindows(processId)) {
        const e2e::WindowInfo info = e2e::DescribeWindow(hwnd);
        if ((info.visible || !shownOnly) && info.className == windowClass) return true;
    }
    return false;
}

// Waits until the alert shows (shown) or until its window is gone (!shown).
bool WaitForAlert(DWORD processId, const char* windowClass, bool shown) {
    for (int i = 0; i < 1000; ++i) {
        if (HasAlert(processId, windowClass, shown) == shown) return true;
        Sleep(10);
    }
    return false;
}

// The thread of the program's shown window of this class; 0 when none shows.
DWORD AlertThread(DWORD processId, const char* windowClass) {
    for (HWND hwnd : e2e::TopLevelWindows(processId)) {
        const e2e::WindowInfo info = e2e::DescribeWindow(hwnd);
        if (info.visible && info.className == windowClass) return GetWindowThreadProcessId(hwnd, nullptr);
    }
    return 0;
}

// Waits until no window of the thread is left: the thread has ended.
bool WaitForThreadEnd(DWORD processId, DWORD thread) {
    for (int i = 0; i < 500; ++i) {
        const std::vector<HWND> all = e2e::TopLevelWindows(processId);
        if (std::none_of(all.begin(), all.end(), [&](HWND h) { return GetWindowThreadProcessId(h, nullptr) == thread; }))
            return true;
        Sleep(10);
    }
    return false;
}

// The window's thread answers within a second: it is not stuck.
bool Responds(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
}

// A flash and a popup came and went: nothing of either is left on screen, and
// the settings window still answers and closes by Cancel.
void CheckAlertsGoneAndCancel(HWND dialog, DWORD processId, const std::string& after) {
    CHECK(WaitForAlert(processId, "HoravelPopup", false) && WaitForAlert(processId, "HoravelFlash", false),
          "no alert window is left after " + after);
    CHECK(Responds(dialog), "the settings window responds after " + after);
    e2e::ClickWindow(e2e::FindChild(dialog, kCancel).hwnd);
    CHECK(WaitClosed(dialog), "Cancel closes the settings window after " + after);
}

}  // namespace

E2E_CASE(settings_window_alert_previews) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    HWND dialog = window ? OpenWithButton(window, program.id) : nullptr;
    if (CHECK(dialog != nullptr, "the settings window opens")) {
        TurnToTab(dialog, 3);
        e2e::ClickWindow(e2e::FindChild(dialog, kWarningPopupPreview).hwnd);
        CHECK(WaitForAlert(program.id, "HoravelPopup", true), "the popup preview shows the sign");
        const DWORD signThread = AlertThread(program.id, "HoravelPopup");
        CHECK(signThread != 0 && signThread != GetWindowThreadProcessId(dialog, nullptr),
              "the sign belongs to a thread of its own");
        CHECK(Responds(dialog), "the settings window responds while the sign shows");
        CHECK(WaitForAlert(program.id, "HoravelPopup", false), "the sign goes again");
        // The flash comes only after the sign's thread has ended and before it has been collected.
        CHECK(WaitForThreadEnd(program.id, signThread), "the sign's thread ends");
        e2e::ClickWindow(e2e::FindChild(dialog, kWarningFlashPreview).hwnd);
        CHECK(WaitForAlert(program.id, "HoravelFlash", true), "then the flash preview flashes");
        CHECK(WaitForAlert(program.id, "HoravelFlash", false), "and the flash ends");
        CheckAlertsGoneAndCancel(dialog, program.id, "a popup preview and then a flash preview");
    }
    // Both pressed at once on the finish page: the flash runs while the sign is still on screen.
    dialog = window ? OpenWithButton(window, program.id) : nullptr;
    if (CHECK(dialog != nullptr, "the settings window opens again")) {
        TurnToTab(dialog, 4);
        e2e::ClickWindow(e2e::FindChild(dialog, kFinishPopupPreview).hwnd);
        e2e::ClickWindow(e2e::FindChild(dialog, kFinishFlashPreview).hwnd);
        CHECK(WaitForAlert(program.id, "HoravelFlash", true), "the flash comes with the sign");
        CheckAlertsGoneAndCancel(dialog, program.id, "both previews pressed at once");
    }
    // The program ends cleanly while a sign is still on screen.
    dialog = window ? OpenWithButton(window, program.id) : nullptr;
    if (CHECK(dialog != nullptr, "the settings window opens a third time")) {
        TurnToTab(dialog, 3);
        e2e::ClickWindow(e2e::FindChild(dialog, kWarningPopupPreview).hwnd);
        CHECK(WaitForAlert(program.id, "HoravelPopup", true), "the sign shows");
        e2e::ClickWindow(e2e::FindChild(dialog, kCancel).hwnd);
        CHECK(WaitClosed(dialog), "Cancel closes the settings window while the sign shows");
        e2e::PressGadget(window, 34);
        DWORD exitCode = 1;
        CHECK(e2e::WaitForExit(program, 10000, exitCode) && exitCode == 0, "the program ends with exit code 0");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}
