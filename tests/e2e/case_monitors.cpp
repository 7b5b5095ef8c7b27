// The strip on two monitors side by side: tests/e2e/run gives these cases a
// display of Xorg's dummy driver, where Wine sees the primary monitor
// \\.\DISPLAY1 at 0, 0 (1920 x 1080) and \\.\DISPLAY2 right of it (1280 x 720),
// and where xrandr unplugs the second one while the program runs.
#include <string>
#include <vector>

#include "tests/e2e/case_support.h"
#include "tests/e2e/settings_window_support.h"

namespace {

constexpr RECT kPrimary{0, 0, 1920, 1080};
constexpr RECT kSecond{1920, 0, 3200, 720};
constexpr const char* kSecondChoice = "Monitor = \\\\.\\DISPLAY2\r\nMonitorRect = 1920,0,3200,720\r\n";
constexpr DWORD kFollowMs = 5000;  // what a monitor change may take to move the strip
constexpr int kMonitorList = 311;
constexpr int kBreakMonitorList = 313;
constexpr int kStartPause = 37;

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

std::vector<RECT> MonitorRects() {
    std::vector<RECT> rects;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM list) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoW(monitor, &info)) reinterpret_cast<std::vector<RECT>*>(list)->push_back(info.rcMonitor);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&rects));
    return rects;
}

std::string Texts(const std::vector<RECT>& rects) {
    std::string text;
    for (const RECT& r : rects) text += (text.empty() ? "" : " ") + Text(r);
    return text;
}

bool TwoMonitors() {
    const std::vector<RECT> rects = MonitorRects();
    return CHECK(rects.size() == 2 && rects[0] == kPrimary && rects[1] == kSecond,
                 "the display has the two monitors side by side, not " + Texts(rects));
}

// Starts xrandr on this display: Wine starts Unix programs too, though it
// gives no handle to wait for one; the monitor list tells when it is done.
bool StartXrandr(const std::string& arguments) {
    std::wstring command = e2e::Widen("/usr/bin/xrandr " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    return true;
}

bool WaitForMonitorCount(std::size_t count, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 50) {
        if (MonitorRects().size() == count) return true;
        if (waited >= timeoutMs) return false;
        e2e::Pause(50);
    }
}

// The strip docked at the right edge of the monitor, full height (no taskbar
// here): as wide as the placement makes a borderless bar on a screen that wide.
bool DockedRightOn(const RECT& window, const RECT& monitor) {
    const int width = monitor.right - monitor.left;
    const int barWidth = width > 1024 ? width * 50 / 1024 : 50;
    return window.right == monitor.right && window.left == monitor.right - barWidth && window.bottom == monitor.bottom &&
           window.top > monitor.top;
}

// Polls until the window stands docked on the monitor; the milliseconds from
// start (a tick count, by default now) until then, or -1 when timeoutMs passed.
int WaitDockedOn(HWND window, const RECT& monitor, DWORD timeoutMs, DWORD start = GetTickCount()) {
    for (;;) {
        const DWORD waited = GetTickCount() - start;
        if (DockedRightOn(e2e::WindowRect(window), monitor)) return static_cast<int>(waited);
        if (waited >= timeoutMs) return -1;
        e2e::Pause(50);
    }
}

bool WaitForRect(HWND window, const RECT& want, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 50) {
        if (e2e::WindowRect(window) == want) return true;
        if (waited >= timeoutMs) return false;
        e2e::Pause(50);
    }
}

std::uint32_t ScreenPixel(int x, int y) { return e2e::CaptureScreenRect(x, y, 1, 1).At(0, 0); }

// Polls until the screen shows something other than the black desktop at x, y.
bool WaitForPainted(int x, int y, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 100) {
        if (ScreenPixel(x, y) != 0) return true;
        if (waited >= timeoutMs) return false;
        e2e::Pause(100);
    }
}

bool WriteSettings(const std::string& keys) {
    CreateDirectoryW(e2e::Widen(e2e::SettingsFolder()).c_str(), nullptr);
    return CHECK(e2e::WriteFileBytes(e2e::SettingsFolder() + "HV_Settings.ini", "\xEF\xBB\xBF\r\n[Horavel]\r\n" + keys),
                 "the settings file is written");
}

// Both monitors in one picture.
void ScreenshotBoth(const std::string& name) { e2e::Screenshot(name, e2e::CaptureScreenRect(0, 0, 3200, 1080)); }

}  // namespace

E2E_CASE(monitors_strip_docks_on_the_chosen_monitor) {
    namespace sw = e2e::settings_window;
    if (!TwoMonitors() || !WriteSettings(kSecondChoice)) return e2e::Result();
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window && CHECK(WaitDockedOn(window, kSecond, kFollowMs) >= 0,
                        "the strip docks at the right edge of the second monitor, not at " +
                            Text(e2e::WindowRect(window)))) {
        ScreenshotBoth("monitors_strip_on_second");
        // The Display tab names the monitors and shows the choice; picking the
        // primary one there moves the strip at once.
        HWND dialog = sw::OpenWithButton(window, program.id);
        if (CHECK(dialog != nullptr, "the settings window opens") && CHECK(sw::TurnToTab(dialog, 2), "Display shows")) {
            const std::vector<std::string> want = {"Primary Monitor", "1: 1920 × 1080 (primary)", "2: 1280 × 720"};
            const std::vector<std::string> entries = sw::ListEntries(e2e::FindChild(dialog, kMonitorList).hwnd);
            CHECK(entries == want, "the monitor list names both monitors (" + std::to_string(entries.size()) +
                                       " entries, the second \"" + (entries.size() > 1 ? entries[1] : "") + "\")");
            CHECK(sw::ListText(dialog, kMonitorList) == "2: 1280 × 720", "the second monitor is the one chosen");
            CHECK(sw::ListText(dialog, kBreakMonitorList) == "Same as Timer", "the break goes where the strip is");
            e2e::Screenshot("monitors_settings_display");
            sw::PickEntry(dialog, kMonitorList, 0);
            e2e::ClickWindow(e2e::FindChild(dialog, sw::kOk).hwnd);
            CHECK(sw::WaitClosed(dialog), "OK closes the window");
            CHECK(WaitDockedOn(window, kPrimary, kFollowMs) >= 0,
                  "the primary monitor chosen, the strip docks on it, not at " + Text(e2e::WindowRect(window)));
        }
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(monitors_strip_follows_an_unplug_and_a_replug) {
    if (!TwoMonitors() || !WriteSettings(kSecondChoice)) return e2e::Result();
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window && CHECK(WaitDockedOn(window, kSecond, kFollowMs) >= 0, "the strip starts on the second monitor")) {
        DWORD start = GetTickCount();
        if (CHECK(StartXrandr("--output DUMMY1 --off"), "xrandr starts")) {
            CHECK(WaitForMonitorCount(1, kFollowMs), "the system sees one monitor");
            const int took = WaitDockedOn(window, kPrimary, kFollowMs, start);
            CHECK(took >= 0, "within 5 s of the unplug the strip docks on the primary monitor, not at " +
                                 Text(e2e::WindowRect(window)) + " (monitors " + Texts(MonitorRects()) + ")");
            e2e::Log("docked on the primary " + std::to_string(took) + " ms after the unplug");
        }
        start = GetTickCount();
        if (CHECK(StartXrandr("--output DUMMY1 --mode 1280x720 --right-of DUMMY0"), "xrandr starts again")) {
            CHECK(WaitForMonitorCount(2, kFollowMs), "the system sees two monitors again");
            const int took = WaitDockedOn(window, kSecond, kFollowMs, start);
            CHECK(took >= 0, "within 5 s of the replug the strip is back on the second monitor, not at " +
                                 Text(e2e::WindowRect(window)));
            e2e::Log("back on the second monitor " + std::to_string(took) + " ms after the replug");
        }
        CHECK(e2e::IsRunning(program), "the program runs on, without a restart");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(monitors_break_fills_the_break_monitor_only) {
    // A 2-second preset whose end starts a one-minute break, on the second monitor.
    if (!TwoMonitors() || !WriteSettings("BreakMonitor = \\\\.\\DISPLAY2\r\nBreakMonitorRect = 1920,0,3200,720\r\n"
                                         "Button1 = 2\r\nFinishAutoBreakTimer = 1\r\nFinishAutoBreakTime = 1\r\n"))
        return e2e::Result();
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window && CHECK(WaitDockedOn(window, kPrimary, kFollowMs) >= 0, "the strip starts on the primary monitor")) {
        const RECT docked = e2e::WindowRect(window);
        e2e::PressGadget(window, 38);
        e2e::PressGadget(window, kStartPause);
        if (CHECK(e2e::WaitForCaption(window, kStartPause, "Stop Break Timer", 10000), "the break starts")) {
            CHECK(WaitForRect(window, kSecond, kFollowMs),
                  "the break fills the second monitor, and only it: " + Text(e2e::WindowRect(window)));
            CHECK(IsZoomed(window), "the strip stands maximized");
            CHECK(WaitForPainted(2560, 360, kFollowMs), "the break shows in the middle of the second monitor");
            CHECK(ScreenPixel(960, 540) == 0, "the primary monitor's middle stays the desktop");
            ScreenshotBoth("monitors_break_on_second");
            e2e::PressGadget(window, kStartPause);
            CHECK(e2e::WaitForCaption(window, kStartPause, "||", 5000), "the break ends and the count-down runs");
            CHECK(WaitForRect(window, docked, kFollowMs),
                  "the strip goes back to its place " + Text(docked) + ", not " + Text(e2e::WindowRect(window)));
        }
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(monitors_missing_monitor_opens_on_the_primary) {
    // A monitor that is not there, and a remembered place on a monitor the
    // strip does not use.
    if (!TwoMonitors() || !WriteSettings("Monitor = \\\\.\\DISPLAY5\r\nMonitorRect = 3200,0,4480,720\r\n"
                                         "StartupLocation = 0\r\nStartupWinPosn\\left = 2500\r\n"
                                         "StartupWinPosn\\top = 100\r\n"))
        return e2e::Result();
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        CHECK(WaitDockedOn(window, kPrimary, kFollowMs) >= 0,
              "the strip docks on the primary monitor, not at " + Text(e2e::WindowRect(window)));
        e2e::PressGadget(window, 34);  // close
        DWORD code = 1;
        CHECK(e2e::WaitForExit(program, 10000, code), "the close button ends the program");
        std::string saved;
        e2e::ReadFileBytes(e2e::SettingsFolder() + "HV_Settings.ini", saved);
        CHECK(saved.find("StartupWinPosn\\left = 2500\r\n") != std::string::npos &&
                  saved.find("Monitor = \\\\.\\DISPLAY5\r\n") != std::string::npos,
              "the place and the monitor it waits for are kept for its return");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}
