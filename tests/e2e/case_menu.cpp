// The popup menu of the readouts, its prompts, and the keyboard handed back to
// a slide show. The menu is worked with the keyboard, as the system's menu
// window takes it; what the timer then shows is compared with what a preset
// button of the same length shows.
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/case_support.h"

namespace {

constexpr DWORD kWait = 5000;

using e2e::WaitForMenuWindows;

// Right-clicks the timer readout; true when the menu window appears.
bool OpenMenu(HWND window, DWORD processId) {
    const POINT at = e2e::Centre(e2e::FindChild(window, 2).rect);
    e2e::Click(at.x, at.y, e2e::Button::Right);
    return WaitForMenuWindows(processId, 1, kWait);
}

// Walks the menu with the keyboard: each key pressed in turn, with time for
// the menu to follow.
void Keys(std::initializer_list<WORD> keys) {
    for (WORD key : keys) {
        e2e::PressKey(key);
        e2e::Pause(150);
    }
}

// What the timer readout shows on the screen, with the pointer out of the way.
e2e::Pixels TimerPicture(HWND window) {
    e2e::MoveMouse(5, 5);
    return e2e::CaptureClient(e2e::FindChild(window, 2).hwnd);
}

bool WaitForTimerPicture(HWND window, const e2e::Pixels& picture, bool same, DWORD timeoutMs) {
    e2e::MoveMouse(5, 5);
    return e2e::WaitForPicture(e2e::FindChild(window, 2).hwnd, picture, same, timeoutMs);
}

// Presses preset button g, and waits until the timer shows something other than before.
void PressPreset(HWND window, int g) {
    const e2e::Pixels before = TimerPicture(window);
    e2e::PressGadget(window, g);
    WaitForTimerPicture(window, before, false, kWait);
}

// Ink of text drawn in the menu font on the menu's colours, to be found on the screen.
e2e::Pixels MenuTextPicture(const std::string& text) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, font);
    const std::wstring wide = e2e::Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    e2e::Pixels picture;
    if (bitmap) {
        HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
        SetBkColor(dc, GetSysColor(COLOR_MENU));
        SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
        SetBkMode(dc, OPAQUE);
        TextOutW(dc, 0, 0, wide.c_str(), static_cast<int>(wide.size()));
        GdiFlush();
        picture.width = size.cx;
        picture.height = size.cy;
        const auto* p = static_cast<const std::uint32_t*>(bits);
        picture.rgb.assign(p, p + static_cast<std::size_t>(size.cx) * size.cy);
        for (std::uint32_t& c : picture.rgb) c &= 0xFFFFFF;
        SelectObject(dc, oldBitmap);
        DeleteObject(bitmap);
    }
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    DeleteObject(font);
    return picture;
}

int Luminance(std::uint32_t c) { return ((c >> 16) & 255) + ((c >> 8) & 255) + (c & 255); }

// True when the text, drawn as the menu draws it, stands somewhere inside the
// screen rectangle: every pixel of its ink within a small tolerance.
bool TextOnScreen(const std::string& text, const RECT& area) {
    const e2e::Pixels ink = MenuTextPicture(text);
    const e2e::Pixels screen = e2e::CaptureScreen();
    if (ink.width == 0) return false;
    for (int top = std::max(0L, area.top); top + ink.height <= std::min<int>(area.bottom, screen.height); ++top) {
        for (int left = std::max(0L, area.left); left + ink.width <= std::min<int>(area.right, screen.width); ++left) {
            bool match = true;
            for (int y = 0; y < ink.height && match; ++y)
                for (int x = 0; x < ink.width && match; ++x)
                    match = std::abs(Luminance(ink.At(x, y)) - Luminance(screen.At(left + x, top + y))) < 90;
            if (match) return true;
        }
    }
    return false;
}

// The rectangle of the menu window that opened last (the submenu).
RECT NewestMenuRect(DWORD processId) {
    RECT newest{};
    for (HWND w : e2e::TopLevelWindows(processId)) {
        const e2e::WindowInfo info = e2e::DescribeWindow(w);
        // A submenu opens beside the menu, farther from the docked window's edge.
        if (info.visible && info.className == "#32768" && (newest.right == 0 || info.rect.left < newest.left))
            newest = info.rect;
    }
    return newest;
}

}  // namespace

E2E_CASE(menu_sets_a_ten_minute_count_down) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        const e2e::Pixels fifteen = TimerPicture(window);
        CHECK(OpenMenu(window, program.id), "a right click on the timer opens the system's menu window");
        e2e::Pause(500);
        e2e::Screenshot("menu");
        // Meeting start, meeting end, participants, count-down: into it, 5 mins, 10 mins.
        Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
        CHECK(WaitForMenuWindows(program.id, 2, kWait), "the count-down submenu opens");
        e2e::Screenshot("menu_count_down");
        Keys({VK_DOWN, VK_RETURN});
        CHECK(WaitForMenuWindows(program.id, 0, kWait), "the menu closes after the choice");
        CHECK(WaitForTimerPicture(window, fifteen, false, kWait), "the timer no longer shows 15 minutes");
        const e2e::Pixels fromMenu = TimerPicture(window);
        PressPreset(window, 38);  // 1m, then 10m: the same picture as from the menu
        e2e::PressGadget(window, 40);
        CHECK(WaitForTimerPicture(window, fromMenu, true, kWait),
              "\"10 mins\" shows what the 10m preset shows: a paused 10-minute timer");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

// A push button pressed, dragged off and released elsewhere gives no click, as
// the system's buttons do; held, it is drawn pushed in.
E2E_CASE(preset_released_elsewhere_does_nothing) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        PressPreset(window, 40);  // a paused 10-minute timer: its picture stands still
        const e2e::Pixels ten = TimerPicture(window);
        const e2e::WindowInfo oneMinute = e2e::FindChild(window, 38);
        const e2e::Pixels up = e2e::CaptureClient(oneMinute.hwnd);
        const POINT at = e2e::Centre(oneMinute.rect);
        e2e::MoveMouse(at.x, at.y);
        e2e::Pause(150);
        e2e::MouseDown();
        CHECK(e2e::WaitForPicture(oneMinute.hwnd, up, false, kWait), "the held button is drawn pushed in");
        const POINT away = e2e::Centre(e2e::FindChild(window, 2).rect);
        e2e::MoveMouse(away.x, away.y);
        e2e::Pause(150);
        e2e::MouseUp();
        // The menu opens only once the loop has taken the release before it.
        CHECK(OpenMenu(window, program.id), "the menu opens");
        Keys({VK_ESCAPE});
        CHECK(WaitForMenuWindows(program.id, 0, kWait), "Esc closes the menu");
        CHECK(TimerPicture(window).rgb == ten.rgb, "the timer still shows its 10 minutes, not 1 minute");
        CHECK(e2e::CaptureClient(oneMinute.hwnd).rgb == up.rgb, "the released button is drawn up again");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(custom_count_down_of_one_minute_thirty) {
    e2e::Process program;
    CreateDirectoryW(e2e::Widen(e2e::SettingsFolder()).c_str(), nullptr);
    CHECK(e2e::WriteFileBytes(e2e::SettingsFolder() + "HV_Settings.ini", "[Horavel]\r\nButton1 = 90\r\n"),
          "a settings file with a 90-second first preset is written");
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        CHECK(WaitForTimerPicture(window, e2e::Pixels{}, false, kWait), "the timer is drawn");
        const e2e::Pixels fifteen = TimerPicture(window);
        const std::initializer_list<WORD> custom = {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_UP, VK_RETURN};
        CHECK(OpenMenu(window, program.id), "the menu opens");
        Keys(custom);  // "Custom...", the last entry
        CHECK(e2e::AnswerPrompt(program.id, "Set Count Down Timer", "", nullptr, true), "Esc closes the prompt");
        // The command is done once the window answers: a cancelled prompt changed nothing.
        CHECK(e2e::Settle(window) && TimerPicture(window).rgb == fifteen.rgb, "Esc leaves the 15-minute timer");
        CHECK(OpenMenu(window, program.id), "the menu opens again");
        Keys(custom);
        CHECK(e2e::ClosePromptBox(program.id, "Set Count Down Timer"), "the close box closes the prompt");
        CHECK(e2e::Settle(window) && TimerPicture(window).rgb == fifteen.rgb, "the close box leaves it too");
        CHECK(OpenMenu(window, program.id), "the menu opens again");
        Keys(custom);
        CHECK(e2e::AnswerPrompt(program.id, "Set Count Down Timer", "1:30"), "the count-down prompt takes 1:30");
        // The prompt closes before the program has set the timer: wait for the new picture.
        CHECK(WaitForTimerPicture(window, fifteen, false, kWait), "the timer no longer shows 15 minutes");
        const e2e::Pixels typed = TimerPicture(window);
        PressPreset(window, 39);  // 5m, then the 90-second preset
        e2e::PressGadget(window, 38);
        CHECK(e2e::WindowText(e2e::FindChild(window, 38).hwnd) == "1m30s", "preset 1 reads 1m30s");
        CHECK(WaitForTimerPicture(window, typed, true, kWait), "1:30 typed shows what the 90-second preset shows");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(participants_typed_show_in_the_menu) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        CHECK(OpenMenu(window, program.id), "the menu opens");
        Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_UP, VK_RETURN});  // participants, "Custom..."
        std::string initial;
        // The prompt shares the title "Horavel" with the main window; it is the dialog of that title.
        CHECK(e2e::AnswerPrompt(program.id, "Horavel", "45", &initial), "the participants prompt takes 45");
        CHECK(initial == "10", "the prompt offered the current number, 10, not \"" + initial + "\"");
        CHECK(OpenMenu(window, program.id), "the menu opens again");
        Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT});
        CHECK(WaitForMenuWindows(program.id, 2, kWait), "the participants submenu opens");
        e2e::Pause(300);
        const RECT submenu = NewestMenuRect(program.id);
        e2e::Screenshot("menu_participants");
        CHECK(TextOnScreen("Custom... (45 persons)", submenu), "the submenu lists \"Custom... (45 persons)\"");
        CHECK(!TextOnScreen("Custom... (46 persons)", submenu), "and the search tells 45 from 46");
        Keys({VK_ESCAPE, VK_ESCAPE});
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(return_at_starts_the_full_screen_break) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        CHECK(OpenMenu(window, program.id), "the menu opens");
        // Start Break Timer, into it ("Return in"), down to "Return at", into it, up to "Custom...".
        Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RIGHT, VK_UP, VK_RETURN});
        HWND prompt = e2e::WaitForProgramWindow(program.id, L"#32770", "Start Break Timer", kWait);
        if (CHECK(prompt != nullptr, "the custom prompt is titled \"Start Break Timer\"")) {
            const std::string question = e2e::WindowText(e2e::FindChild(prompt, 100).hwnd);
            CHECK(question == "Enter Custom Time (Hrs:Min)", "it asks \"" + question + "\"");
            // It offers the list's first time: the first five-minute step not before now.
            const std::string offered = e2e::FieldText(e2e::FindChild(prompt, 101).hwnd);
            int hour = 0, minute = 0;
            char half[3] = {};
            SYSTEMTIME now;
            GetLocalTime(&now);
            const bool read = std::sscanf(offered.c_str(), "%d:%d %2s", &hour, &minute, half) == 3;
            const int offeredMinutes = (hour % 12 + (std::string(half) == "PM" ? 12 : 0)) * 60 + minute;
            const int ahead = (offeredMinutes - (now.wHour * 60 + now.wMinute) + 1440) % 1440;
            CHECK(read && minute % 5 == 0 && ahead <= 5, "it offers \"" + offered + "\", the first time of the list");
            CHECK(e2e::AnswerPrompt(program.id, "Start Break Timer", "", nullptr, true), "Esc closes it");
            CHECK(e2e::Settle(window) && !IsZoomed(window) &&
                      e2e::WindowText(e2e::FindChild(window, 37).hwnd) != "Stop Break Timer",
                  "no break starts");
        }
        CHECK(OpenMenu(window, program.id), "the menu opens again");
        // The first time of "Return at".
        Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RIGHT, VK_RETURN});
        CHECK(e2e::WaitForCaption(window, 37, "Stop Break Timer", kWait), "the break's stop button shows");
        CHECK(IsZoomed(window), "the break fills the screen");
        e2e::Pause(1500);
        e2e::Screenshot("return_at_break");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

namespace {

// The headings of the user's guide in the source tree (lines that begin with
// "#"), as HTML writes their text.
std::vector<std::string> GuideHeadings(const std::string& exePath) {
    std::vector<std::string> headings;
    const std::string folder = e2e::SourcePath(exePath, "docs\\guide\\");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(e2e::Widen(folder + "*.md").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return headings;
    do {
        std::string page;
        if (!e2e::ReadFileBytes(folder + e2e::Narrow(found.cFileName), page)) continue;
        std::size_t at = 0;
        while (at < page.size()) {
            std::size_t end = page.find('\n', at);
            if (end == std::string::npos) end = page.size();
            std::string line = page.substr(at, end - at);
            at = end + 1;
            if (line.empty() || line[0] != '#') continue;
            line.erase(0, line.find_first_not_of("# "));
            while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
            std::string html;
            for (char c : line) html += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
            headings.push_back(html);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return headings;
}

}  // namespace

// Help writes the guide the program carries into the settings folder and hands
// it to the shell to open. The prefix opens web pages in the text editor here,
// whose title names the file it was given.
E2E_CASE(help_opens_the_carried_guide) {
    CHECK(e2e::WriteRegistryString(HKEY_CLASSES_ROOT, ".html", "", "txtfile"),
          ".html files open with the text editor");
    const std::vector<std::string> headings = GuideHeadings(exePath);
    CHECK(headings.size() >= 9, "the guide in the source tree has its pages' headings, not " +
                                    std::to_string(headings.size()));
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        const std::string file = e2e::SettingsFolder() + "Horavel Help.html";
        CHECK(!e2e::FileExists(file), "no help file at first");
        CHECK(OpenMenu(window, program.id), "the menu opens");
        Keys({VK_UP, VK_UP, VK_RETURN});  // from the bottom: "Quit", then "Help"
        HWND editor = e2e::WaitForWindowTitled("Horavel Help", 15000);
        CHECK(editor != nullptr, "the shell opens the help file from the settings folder");
        std::string html;
        CHECK(e2e::ReadFileBytes(file, html), "the help file is in %APPDATA%\\Horavel");
        for (const std::string& heading : headings) {
            CHECK(html.find(">" + heading + "</h") != std::string::npos, "the help file shows \"" + heading + "\"");
        }
        CHECK(e2e::IsRunning(program), "Horavel keeps running");
        if (editor) PostMessageW(editor, WM_CLOSE, 0, 0);
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(preset_hands_the_keyboard_back_to_the_slide_show) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    e2e::SlideShow show;
    if (window) {
        show.Start();
        CHECK(show.window != nullptr, "the driver's slide-show window opens");
        // A click on the middle of the bottom bar activates Horavel and does nothing else.
        e2e::ClickWindow(e2e::FindChild(window, 4).hwnd);
        CHECK(e2e::WaitForForeground(window, kWait), "Horavel is the foreground window before the preset click");
        e2e::PressGadget(window, 39);
        CHECK(e2e::WaitForForeground(show.window, kWait), "after a preset click the slide show is the foreground window");
    }
    show.Stop();
    e2e::StopProgram(program);
    return e2e::Result();
}
