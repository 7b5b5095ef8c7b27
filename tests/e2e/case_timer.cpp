// The timer buttons drive the timer.
#include "tests/e2e/case_support.h"

E2E_CASE(start_pause_and_preset_buttons) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        CHECK(e2e::WindowText(e2e::FindChild(window, 37).hwnd) == ">", "the timer starts paused: button 37 reads >");
        e2e::PressGadget(window, 37);
        CHECK(e2e::WaitForCaption(window, 37, "||", 2000), "after a click the timer runs: button 37 reads ||");
        e2e::PressGadget(window, 37);
        CHECK(e2e::WaitForCaption(window, 37, ">", 2000), "a second click pauses it again");
        e2e::PressGadget(window, 39);  // 5m: a paused timer takes the new length and stays paused
        CHECK(e2e::WaitForCaption(window, 37, ">", 500), "a preset keeps a paused timer paused");
        e2e::PressGadget(window, 37);
        CHECK(e2e::WaitForCaption(window, 37, "||", 2000), "and the start button runs it");
        e2e::Pause(1500);
        e2e::Screenshot("running_timer");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}
