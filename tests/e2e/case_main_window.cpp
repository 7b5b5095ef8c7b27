// The main window as a user meets it: its title, its buttons, closing it with
// the close button, and maximizing it from the top bar.
#include "tests/e2e/case_support.h"

using e2e::Centre;
using e2e::StartAndFind;

E2E_CASE(window_and_timer_buttons) {
    e2e::Process program;
    HWND window = StartAndFind(exePath, program);
    if (window) {
        const e2e::WindowInfo pause = e2e::FindChild(window, 37);
        CHECK(pause.hwnd != nullptr, "button 37 exists");
        CHECK(pause.text == "||" || pause.text == ">", "button 37 reads \"||\" or \">\", not \"" + pause.text + "\"");
        const char* presets[] = {"1m", "5m", "10m", "15m", "30m"};
        for (int i = 0; i < 5; ++i) {
            const e2e::WindowInfo preset = e2e::FindChild(window, 38 + i);
            CHECK(preset.hwnd != nullptr, "preset button " + std::to_string(38 + i) + " exists");
            CHECK(preset.text == presets[i], "preset " + std::to_string(38 + i) + " reads " + presets[i] +
                                                 ", not \"" + preset.text + "\"");
            CHECK(preset.visible, "preset " + std::to_string(38 + i) + " is visible");
        }
        e2e::Screenshot("main_window");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(close_button_closes_with_exit_code_0) {
    e2e::Process program;
    HWND window = StartAndFind(exePath, program);
    if (window) {
        const e2e::WindowInfo close = e2e::FindChild(window, 34);
        CHECK(close.hwnd != nullptr && close.visible, "the close button is shown");
        const POINT at = Centre(close.rect);
        e2e::MoveMouse(at.x, at.y);
        e2e::Pause(200);
        e2e::MouseDown();
        e2e::Pause(200);
        e2e::MouseUp();
        DWORD exitCode = 1;
        CHECK(e2e::WaitForExit(program, 10000, exitCode), "the program ends within 10 s");
        CHECK(exitCode == 0, "exit code 0, not " + std::to_string(exitCode));
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(close_button_released_elsewhere_keeps_running) {
    e2e::Process program;
    HWND window = StartAndFind(exePath, program);
    if (window) {
        const e2e::WindowInfo close = e2e::FindChild(window, 34);
        const POINT at = Centre(close.rect);
        e2e::MoveMouse(at.x, at.y);
        e2e::Pause(200);
        e2e::MouseDown();
        e2e::Pause(200);
        const RECT client = e2e::WindowRect(window);
        e2e::MoveMouse((client.left + client.right) / 2, (client.top + client.bottom) / 2);
        e2e::Pause(200);
        e2e::MouseUp();
        DWORD exitCode = 0;
        CHECK(!e2e::WaitForExit(program, 3000, exitCode), "the program is still running 3 s later");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(double_click_on_top_bar_maximizes_and_restores) {
    e2e::Process program;
    HWND window = StartAndFind(exePath, program);
    if (window) {
        const RECT before = e2e::WindowRect(window);
        for (int round = 0; round < 2; ++round) {
            const e2e::WindowInfo bar = e2e::FindChild(window, 3);
            // Between the logo and the maximize button.
            const int x = bar.rect.left + (bar.rect.right - bar.rect.left) / 2;
            const int y = bar.rect.top + 7;
            // Slow enough for each press to reach the program before the next
            // one, as a hand would: the first press starts a move of the window.
            e2e::MoveMouse(x, y);
            for (int click = 0; click < 2; ++click) {
                e2e::MouseDown();
                e2e::Pause(60);
                e2e::MouseUp();
                e2e::Pause(60);
            }
            bool done = false;
            for (int i = 0; i < 30 && !done; ++i) {
                e2e::Pause(100);
                done = (IsZoomed(window) != 0) == (round == 0);
            }
            CHECK(done, round == 0 ? "a double click on the top bar maximizes the window"
                                   : "a second double click restores it");
            e2e::Pause(500);
            if (round == 0) e2e::Screenshot("maximized");
        }
        const RECT after = e2e::WindowRect(window);
        CHECK(EqualRect(&before, &after), "the restored window is back at its place and size");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

namespace {

// Presses the left button at (x, y), drags by (dx, dy) in small steps and lets go.
void Drag(int x, int y, int dx, int dy) {
    e2e::MoveMouse(x, y);
    e2e::Pause(200);
    e2e::MouseDown();
    e2e::Pause(300);
    for (int step = 1; step <= 10; ++step) {
        e2e::MoveMouse(x + dx * step / 10, y + dy * step / 10);
        e2e::Pause(50);
    }
    e2e::Pause(200);
    e2e::MouseUp();
    e2e::Pause(800);
}

}  // namespace

// The move by the top bar is left out: under openbox, Wine hands the move of
// this borderless window to the window manager, which does not carry it out
// (without a window manager Wine's own move loop does). Sizing works either way
// it is handed on.
E2E_CASE(grip_resizes_the_window) {
    e2e::Process program;
    HWND window = StartAndFind(exePath, program);
    if (window) {
        const RECT start = e2e::WindowRect(window);
        const POINT grip = Centre(e2e::FindChild(window, 36).rect);
        Drag(grip.x, grip.y, -40, -200);
        const RECT sized = e2e::WindowRect(window);
        CHECK(sized.left == start.left && sized.top == start.top, "the bottom-right grip leaves the top-left corner");
        CHECK(sized.right - sized.left == start.right - start.left - 40 &&
                  sized.bottom - sized.top == start.bottom - start.top - 200,
              "the grip resizes by (-40, -200), not by (" +
                  std::to_string((sized.right - sized.left) - (start.right - start.left)) + ", " +
                  std::to_string((sized.bottom - sized.top) - (start.bottom - start.top)) + ")");
        const e2e::WindowInfo timer = e2e::FindChild(window, 2);
        CHECK(timer.visible && timer.rect.right <= sized.right && timer.rect.bottom <= sized.bottom,
              "the readouts are laid out again inside the new size");
        e2e::Screenshot("resized");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}
