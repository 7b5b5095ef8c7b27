#pragma once
// A fresh machine for the timer and clock tests: first-run settings, the fake
// clock at 2024-03-14 10:07:30, a 300-pixel progress bar and the start/pause button.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/main_window.h"
#include "app/timer_engine.h"
#include "display/layout.h"
#include "platform/gadgets.h"
#include "settings/settings.h"
#include "tests/support/fake_platform.h"
#include "timekeeping/time_values.h"

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        settings = Settings{};
        ResetSettings();
        timerState = TimerState{};
        mainLoop = MainLoopState{};
        layoutState = LayoutState{};
        timerRect = {0, 0, 50, 300};
        meetingStart = meetingEnd = quarterHourBase = 0;
        platform::CreateButtonGadget(gadget::StartPause, 0, 0, 20, 20, "");
    }

    static void SetClock(int month, int day, int hour, int minute, int second = 0) {
        fake::state.localTime = {2024, month, day, hour, minute, second};
    }
    // Lets time pass on both the tick count and the wall clock.
    static void Advance(int ms) {
        fake::state.tick += static_cast<std::uint32_t>(ms);
        platform::LocalTime& t = fake::state.localTime;
        const TimeValue later = MakeTimeValue(2000, t.month, t.day, t.hour, t.minute, t.second) + ms / 1000;
        const TimeOfDay d = TimeOfDayOf(later);
        t.hour = d.hour;
        t.minute = d.minute;
        t.second = d.second;
    }
    static bool Called(const std::string& call) {
        const auto& calls = fake::state.calls;
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }
    static std::string Caption() { return platform::GetGadgetText(gadget::StartPause); }
    static std::int32_t RemainingNow() {
        SampleTimer();
        return RemainingMs();
    }
};
