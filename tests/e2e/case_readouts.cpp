// The first start docks the window at the right edge, and the timer readout
// shows a paused timer in grey and a running one in the 3D green; what the
// refreshes of a running timer leave on the screen is its whole picture.
#include "tests/e2e/case_support.h"

namespace {

int Channel(std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 255); }

std::string Hex(std::uint32_t rgb) {
    char text[16];
    snprintf(text, sizeof text, "#%06X", rgb & 0xFFFFFFu);
    return text;
}

// A pixel of the timer readout's fill, below its text.
std::uint32_t TimerFillPixel(HWND window) {
    // Read off the screen: what the user sees.
    const RECT r = e2e::FindChild(window, 2).rect;
    const e2e::Pixels screen = e2e::CaptureScreen();
    const int x = r.left + (r.right - r.left) / 4, y = r.top + (r.bottom - r.top) * 3 / 4;
    if (x < 0 || y < 0 || x >= screen.width || y >= screen.height) return 0xFFFFFFFFu;
    return screen.At(x, y);
}

// Where the docking rules put a borderless window on this screen.
RECT ExpectedDockedRect() {
    const int sw = GetSystemMetrics(SM_CXSCREEN);
    const int sh = GetSystemMetrics(SM_CYSCREEN);
    int caption = GetSystemMetrics(SM_CYCAPTION);
    if (caption == 0) caption = 24;
    RECT bar{0, sh - 75, sw, sh};
    if (HWND tray = FindWindowW(L"Shell_TrayWnd", L"")) {
        GetWindowRect(tray, &bar);
        bar.left = bar.left < 0 ? 0 : bar.left;
        bar.top = bar.top < 0 ? 0 : bar.top;
        bar.right = bar.right > sw ? sw : bar.right;
        bar.bottom = bar.bottom > sh ? sh : bar.bottom;
    }
    const int barW = bar.right - bar.left, barH = bar.bottom - bar.top;
    const bool horizontal = barW == sw, vertical = barH == sh;
    const int w = sw > 1024 ? sw * 50 / 1024 : 50;
    const int h = sh - caption - (horizontal ? barH : 0);
    const int left = sw - w - (vertical && bar.left > 0 ? barW : 0);
    const int top = sh - h - (horizontal && bar.top > 0 ? barH : 0);
    return RECT{left, top, left + w, top + h};
}

std::string Describe(const RECT& r) {
    return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + " at " +
           std::to_string(r.left) + "," + std::to_string(r.top);
}

}  // namespace

E2E_CASE(docks_right_and_draws_paused_and_running_timer) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        const RECT expected = ExpectedDockedRect();
        const RECT actual = e2e::WindowRect(window);
        CHECK(EqualRect(&expected, &actual), "docked at " + Describe(expected) + ", not " + Describe(actual));

        const std::uint32_t paused = TimerFillPixel(window);
        const int r = Channel(paused, 16), g = Channel(paused, 8), b = Channel(paused, 0);
        CHECK(paused != 0xFFFFFFFFu && r == g && g == b && r > 40 && r < 160,
              "the paused timer is drawn grey, not " + Hex(paused));
        e2e::Screenshot("paused_timer");

        e2e::PressGadget(window, 37);
        e2e::MoveMouse(10, 10);  // away, so that no tool tip covers the picture
        e2e::Pause(1500);
        const std::uint32_t running = TimerFillPixel(window);
        const int rr = Channel(running, 16), rg = Channel(running, 8), rb = Channel(running, 0);
        CHECK(running != 0xFFFFFFFFu && rg > rr + 60 && rg > rb + 60,
              "the running timer is drawn in the 3D green, not " + Hex(running));
        e2e::Screenshot("running_timer_3d");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

// A running count-down changes a few rows of its readout each second, and only
// the changed rows go to the screen: right after a refresh the screen already
// shows what a full repaint of the readout shows.
E2E_CASE(a_refreshed_timer_shows_what_a_full_repaint_shows) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        e2e::PressGadget(window, 37);  // the 15-minute count-down runs
        e2e::MoveMouse(10, 10);        // away, so that no tool tip covers the readout
        const HWND timer = e2e::FindChild(window, 2).hwnd;
        // Each try starts just after a refresh, the next one being a second
        // away; a try overlapped by a late refresh cannot fail the case alone.
        bool kept = false, changes = true;
        for (int tries = 0; tries < 3 && !kept && changes; ++tries) {
            changes = e2e::WaitForPicture(timer, e2e::CaptureClient(timer), false, 5000);
            const e2e::Pixels shown = e2e::CaptureClient(timer);
            RedrawWindow(timer, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            kept = !e2e::WaitForPicture(timer, shown, false, 400);
        }
        CHECK(changes, "the running timer's picture changes every second");
        CHECK(kept, "a full repaint changes what the refresh left on the screen");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}
