#pragma once
// A fresh start of the whole program on the fake platform, for the tests that
// drive it from outside (menu commands, hotkeys, the command line): every fake
// and the program's own state back to their first values.
#include "app/main_window.h"
#include "app/timer_engine.h"
#include "settings/settings.h"
#include "tests/support/fake_hotkeys.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_shell.h"
#include "timekeeping/time_values.h"

inline void ResetWholeProgram() {
    fake::Reset();
    fake::ResetShell();
    fake::ResetHotkeys();
    settings = Settings{};
    mainLoop = MainLoopState{};
    timerState = TimerState{};
    meetingStart = meetingEnd = quarterHourBase = 0;
}
