// Every text of the settings window shows whole, in every language of its
// list and on every tab page: each text's extent, measured in its control's
// own font, fits the room the control gives it; the tab titles fit the strip;
// a minutes field shows three digits.
#include "tests/e2e/settings_window_support.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace e2e::settings_window;

constexpr int kMinutes1 = 220;

// The dialog font, as the system makes it for a dialog like the settings
// window (its template names "MS Shell Dlg", 8 points): a font handle of
// another process cannot be read here. CheckTabTitles shows it measures as the
// program's controls do.
class DialogFont {
public:
    DialogFont() {
        std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
        reinterpret_cast<DLGTEMPLATE*>(t.data())->style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SHELLFONT;
        for (WORD w : {0, 0, 0, 8}) t.push_back(w);  // menu, class, title, point size
        for (const wchar_t* c = L"MS Shell Dlg"; *c; ++c) t.push_back(static_cast<WORD>(*c));
        t.push_back(0);
        dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(t.data()),
                                             nullptr, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
        dc_ = GetDC(dialog_);
        font_ = dialog_ ? reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0)) : nullptr;
        if (font_) old_ = SelectObject(dc_, font_);
    }
    ~DialogFont() {
        if (old_) SelectObject(dc_, old_);
        ReleaseDC(dialog_, dc_);
        if (dialog_) DestroyWindow(dialog_);
    }
    DialogFont(const DialogFont&) = delete;
    DialogFont& operator=(const DialogFont&) = delete;
    bool Ok() const { return font_ != nullptr; }
    int Width(const std::string& text) const {
        const std::wstring wide = e2e::Widen(text);
        SIZE size{0, 0};
        GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
        return size.cx;
    }

private:
    HWND dialog_ = nullptr;
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

int ClientWidth(HWND hwnd) { return e2e::ClientRect(hwnd).right; }

// The room a control's text has: its client width less its frame, check box or arrow.
struct Room {
    int width;
    std::vector<std::string> texts;
};

Room RoomOf(const e2e::WindowInfo& c, const DialogFont& measure) {
    const LONG style = GetWindowLongW(c.hwnd, GWL_STYLE);
    const int client = ClientWidth(c.hwnd);
    if (c.className == "Static") {
        if ((style & SS_TYPEMASK) == SS_OWNERDRAW) return {client, {}};
        return {client, {c.text}};
    }
    if (c.className == "Button") {
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX)
            return {client - GetSystemMetrics(SM_CXMENUCHECK) - measure.Width("0") / 2, {c.text}};
        return {client - 2 * GetSystemMetrics(SM_CXEDGE), {c.text}};
    }
    if (c.className == "ComboBox")  // less its arrow, its frame and the selection's inset
        return {client - GetSystemMetrics(SM_CXVSCROLL) - 4 * GetSystemMetrics(SM_CXEDGE), ListEntries(c.hwnd)};
    return {client, {}};
}

std::string Where(const std::string& language, int tab, const e2e::WindowInfo& c) {
    return language + ", tab " + std::to_string(tab) + ", control " + std::to_string(c.id);
}

// Every shown label, box, button and list of the page.
void CheckShownControls(HWND dialog, const DialogFont& font, const std::string& language, int tab) {
    int checked = 0;
    for (const e2e::WindowInfo& c : e2e::ChildWindows(dialog)) {
        if (!c.visible || GetParent(c.hwnd) != dialog || c.id == kTabs) continue;
        const Room room = RoomOf(c, font);
        for (const std::string& text : room.texts) {
            const int width = font.Width(text);
            CHECK(width <= room.width, Where(language, tab, c) + " (" + c.className + "): \"" + text + "\" needs " +
                                           std::to_string(width) + " pixels, it has " + std::to_string(room.width));
            ++checked;
        }
    }
    CHECK(checked >= 3, language + ", tab " + std::to_string(tab) + ": " + std::to_string(checked) + " texts checked");
}

// The eight titles lie side by side within the strip, each as wide as its text,
// and no arrows scroll them. The tab panel makes each title's room its text's
// width and a fixed padding, or a least width: that the widest title's padding
// holds for every other title shows that the font here measures as the
// program's does.
void CheckTabTitles(HWND dialog, DWORD processId, const DialogFont& font, const std::string& language) {
    HWND tabs = e2e::FindChild(dialog, kTabs).hwnd;
    const std::vector<std::string> titles = TabTitles(tabs, processId);
    const std::vector<RECT> rects = TabItemRects(tabs, processId);
    if (!CHECK(titles.size() == 8 && rects.size() == 8, language + ": eight tab titles")) return;
    std::vector<int> widths, rooms;
    for (std::size_t i = 0; i < titles.size(); ++i) {
        widths.push_back(font.Width(titles[i]));
        rooms.push_back(rects[i].right - rects[i].left);
    }
    const std::size_t widest = std::max_element(widths.begin(), widths.end()) - widths.begin();
    const int padding = rooms[widest] - widths[widest];
    const int least = *std::min_element(rooms.begin(), rooms.end());
    for (std::size_t i = 0; i < titles.size(); ++i) {
        CHECK(widths[i] <= rooms[i] && rects[i].top == rects[0].top,
              language + ": the tab title \"" + titles[i] + "\" needs " + std::to_string(widths[i]) +
                  " pixels, it has " + std::to_string(rooms[i]) + ", on the first row");
        CHECK(std::abs(rooms[i] - std::max(least, widths[i] + padding)) <= 2,
              language + ": the tab \"" + titles[i] + "\" is " + std::to_string(rooms[i]) + " wide for a text of " +
                  std::to_string(widths[i]) + " (padding " + std::to_string(padding) + ", least " +
                  std::to_string(least) + ")");
    }
    const int strip = ClientWidth(tabs);
    CHECK(rects.front().left >= 0 && rects.back().right <= strip,
          language + ": the titles stand from " + std::to_string(rects.front().left) + " to " +
              std::to_string(rects.back().right) + ", within the strip's " + std::to_string(strip));
    for (const e2e::WindowInfo& c : e2e::ChildWindows(tabs))
        CHECK(!(c.className == "msctls_updown32" && c.visible), language + ": no arrows scroll the tab titles");
}

// A three-digit minutes value typed into the first preset shows whole: the
// field did not scroll it, and its last digit ends inside the margins.
void CheckThreeDigits(HWND dialog, const DialogFont& font, const std::string& language) {
    HWND field = e2e::FindChild(dialog, kMinutes1).hwnd;
    e2e::ClickWindow(field);
    e2e::Settle(dialog);  // the click's selection of the whole field is made
    e2e::TypeText("999");
    e2e::Settle(dialog);
    const DWORD margins = static_cast<DWORD>(SendMessageW(field, EM_GETMARGINS, 0, 0));
    const auto first = static_cast<DWORD>(SendMessageW(field, EM_POSFROMCHAR, 0, 0));
    const auto last = static_cast<DWORD>(SendMessageW(field, EM_POSFROMCHAR, 2, 0));
    const int lastRight = static_cast<short>(LOWORD(last)) + font.Width("9");
    CHECK(e2e::FieldText(field) == "999", language + ": the minutes field takes 999, not \"" + e2e::FieldText(field) + "\"");
    CHECK(static_cast<short>(LOWORD(first)) >= static_cast<int>(LOWORD(margins)) &&
              lastRight <= ClientWidth(field) - static_cast<int>(HIWORD(margins)),
          language + ": 999 stands from " + std::to_string(static_cast<short>(LOWORD(first))) + " to " +
              std::to_string(lastRight) + " in a field of " + std::to_string(ClientWidth(field)));
}

// The program's own message n of a language, from the table in the source tree.
std::string TableMessage(const std::string& exePath, const std::string& language, int n) {
    std::string table;
    e2e::ReadFileBytes(e2e::SourcePath(exePath, "lang\\" + language + "_v167.txt"), table);
    char number[8];
    std::snprintf(number, sizeof number, "\n%03d-", n);
    const std::size_t at = table.find(number);
    if (at == std::string::npos) return {};
    const std::size_t start = at + 5;
    return table.substr(start, table.find_first_of("\r\n", start) - start);
}

}  // namespace

// Reusable as the language tables change: it reads the languages from the
// window's own list and the titles from the tables in the source tree.
E2E_CASE(settings_window_texts_fit_every_language) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    HWND dialog = window ? OpenWithButton(window, program.id) : nullptr;
    const DialogFont font;
    if (CHECK(dialog != nullptr, "the settings window opens") && CHECK(font.Ok(), "the dialog font is made")) {
        const std::vector<std::string> languages = ListEntries(e2e::FindChild(dialog, kLanguage).hwnd);
        CHECK(languages.size() == 10, "ten languages to choose from, not " + std::to_string(languages.size()));
        for (std::size_t i = 0; i < languages.size(); ++i) {
            const std::string& language = languages[i];
            PickEntry(dialog, kLanguage, static_cast<int>(i));
            // The choice is acted on after the list's notification returns: wait for the new title.
            const std::string title = "Horavel " + TableMessage(exePath, language, 113);
            CHECK(e2e::WaitForWindowText(dialog, title, 5000),
                  language + ": the window reads \"" + title + "\", not \"" + e2e::WindowText(dialog) + "\"");
            e2e::Settle(dialog);  // the title is set first: the rest of the relabelling is done too
            CheckTabTitles(dialog, program.id, font, language);
            for (int tab = 0; tab < 8; ++tab) {
                if (!CHECK(TurnToTab(dialog, tab), language + ": tab " + std::to_string(tab) + " shows")) continue;
                CheckShownControls(dialog, font, language, tab);
                if (tab == 1) CheckThreeDigits(dialog, font, language);
                if (tab == 0 || tab == 3) e2e::Screenshot("settings_fit_" + std::to_string(i) + "_" + std::to_string(tab));
            }
            e2e::Log(language + ": " + std::to_string(e2e::ClientRect(dialog).right) + " pixels wide");
        }
        e2e::ClickWindow(e2e::FindChild(dialog, kCancel).hwnd);
        CHECK(WaitClosed(dialog), "Cancel closes the window");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}
