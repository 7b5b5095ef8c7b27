#include "tests/unit/timer_fixture.h"

using TimerEngine = TimerTest;

TEST_F(TimerEngine, StartsAsAPausedFifteenMinuteCountDown) {
    InitTimerState();
    EXPECT_EQ(timerState.mode, CountDown);
    EXPECT_EQ(timerState.paused, 1);
    EXPECT_EQ(timerState.presetMs, 900000);
    EXPECT_EQ(timerState.warningMs, 180000);
    EXPECT_EQ(Caption(), ">");
    EXPECT_EQ(PauseMenuMessage(), 104);
    Advance(60000);
    TogglePause();
    EXPECT_EQ(Caption(), "||");
    EXPECT_EQ(PauseMenuMessage(), 105);
    EXPECT_EQ(RemainingNow(), 900000);  // the pause did not count
}

TEST(WarningThresholdMs, FollowsTheWarningTimeSetting) {
    EXPECT_EQ(WarningThresholdMs(1, 900000), 180000);
    EXPECT_EQ(WarningThresholdMs(1, 1003), 201);  // 20 % to the nearest millisecond
    EXPECT_EQ(WarningThresholdMs(2, 900000), 30000);
    EXPECT_EQ(WarningThresholdMs(8, 60000), 900000);
    EXPECT_EQ(WarningThresholdMs(-75, 900000), 75000);
    EXPECT_EQ(WarningThresholdMs(0, 900000), 0);
    EXPECT_EQ(WarningThresholdMs(INT32_MIN, 900000), INT32_MAX);
}

TEST(RefreshIntervalMs, MovesTheBarAboutOnePixelPerRefresh) {
    EXPECT_EQ(RefreshIntervalMs(CountDown, 900000, 300), 1000);
    EXPECT_EQ(RefreshIntervalMs(CountDown, 60000, 300), 250);
    const std::pair<std::int32_t, std::int32_t> steps[] = {{74, 100},  {75, 200},  {174, 200}, {175, 250},
                                                           {224, 250}, {225, 500}, {474, 500}, {475, 1000}};
    for (const auto& [msPerPixel, interval] : steps) EXPECT_EQ(RefreshIntervalMs(CountUp, msPerPixel * 10, 10), interval);
    EXPECT_EQ(RefreshIntervalMs(Break, 1000, 300), 1000);
    EXPECT_EQ(RefreshIntervalMs(Until, 1000, 300), 1000);
    EXPECT_EQ(RefreshIntervalMs(CountDown, 50, 0), 100);  // no bar: no division by zero
    EXPECT_EQ(RefreshIntervalMs(CountDown, 900000, -4), 1000);
}

TEST_F(TimerEngine, SetCountDownKeepsThePresetWhileRunning) {
    InitTimerState();
    SetCountDown(600000);  // paused: becomes the preset, stays paused at full length
    EXPECT_EQ(timerState.presetMs, 600000);
    EXPECT_EQ(timerState.pauseTick, fake::state.tick);
    TogglePause();
    Advance(5000);
    timerState.warningFired = timerState.finishFired = 1;
    SetCountDown(60000);
    EXPECT_EQ(timerState.presetMs, 600000);
    EXPECT_EQ(timerState.warningMs, 12000);
    EXPECT_EQ(timerState.warningFired + timerState.finishFired, 0);
    EXPECT_EQ(RemainingNow(), 60000);
}

TEST_F(TimerEngine, AdjustCountDownAddsOrSubtractsAndRestartsWhenRunOut) {
    SetCountDown(120000);
    Advance(20000);
    AdjustCountDown(300000);  // Ctrl: the time already run stays counted
    EXPECT_EQ(RemainingNow(), 400000);
    SetCountDown(120000);
    AdjustCountDown(-300000);  // Shift: a 1 ms timer that finishes at once
    EXPECT_EQ(timerState.durationMs, 1);
    Advance(1);
    EXPECT_EQ(FinishMark(RemainingNow()), 0);
    SetCountDown(60000);
    Advance(120000);
    AdjustCountDown(300000);  // run out by the wall clock: just the button's length
    EXPECT_EQ(RemainingNow(), 300000);
    AdjustCountDown(INT32_MAX);
    EXPECT_EQ(timerState.durationMs, INT32_MAX);
}

TEST_F(TimerEngine, AdjustingAPausedTimerGoesByWhatItShows) {
    // Paused at 15:00 for longer than its length: Ctrl+5m adds to the 15:00 shown.
    InitTimerState();
    Advance(16 * 60000);
    AdjustCountDown(300000);
    timerState.sampleTick = timerState.pauseTick;  // what the paused readout shows
    EXPECT_EQ(RemainingMs(), 1200000);
    // A timer paused after it ran out starts afresh with the button's length.
    SetCountDown(60000);
    TogglePause();
    Advance(70000);
    TogglePause();
    Advance(1000000);
    AdjustCountDown(300000);
    timerState.sampleTick = timerState.pauseTick;
    EXPECT_EQ(RemainingMs(), 300000);
    Advance(30000);
    TogglePause();
    EXPECT_EQ(RemainingNow(), 300000);
}

TEST_F(TimerEngine, PauseOnlyForCountDownAndCountUp) {
    StartCountUp();
    EXPECT_EQ(timerState.mode, CountUp);
    EXPECT_EQ(Caption(), "||");
    TogglePause();
    EXPECT_EQ(timerState.paused, 1);
    StartBreak(300000);
    TogglePause();
    EXPECT_EQ(timerState.paused, 0);
}

TEST_F(TimerEngine, BreakAndUntilFillTheScreen) {
    StartBreak(300000);
    EXPECT_EQ(timerState.mode, Break);
    EXPECT_EQ(timerState.warningMs, 60000);
    EXPECT_TRUE(Called("Maximize"));
    EXPECT_EQ(platform::GadgetRect(gadget::StartPause).width, 200);  // laid out afresh for the break
    EXPECT_EQ(RemainingNow(), 300000);

    StartUntil(ClockNow() + 600);
    EXPECT_EQ(timerState.mode, Until);
    EXPECT_EQ(timerState.durationMs, 600000);
    settings.Clock24hr = 1;
    StartUntil(ParseClock("10:00"));  // seven and a half minutes ago: finished, not tomorrow
    EXPECT_EQ(timerState.durationMs, -450000);
    EXPECT_FALSE(TimerTick());
    EXPECT_EQ(timerState.mode, Until);
    EXPECT_EQ(timerState.refreshMs, 1000);
    StartUntil(ClockNow() + 3000000);
    EXPECT_EQ(timerState.durationMs, INT32_MAX);
}

TEST_F(TimerEngine, StopBreakReturnsToAFreshCountDown) {
    DefaultMeetingTimes();
    StartBreak(300000);
    SetClock(3, 14, 12, 0);
    platform::SetGadgetText(gadget::StartPause, "Stop Break Timer");
    StopBreak();
    EXPECT_EQ(timerState.mode, CountDown);
    EXPECT_EQ(RemainingNow(), 900000);
    EXPECT_EQ(platform::GetGadgetText(gadget::StartPause), "||");  // running again
    EXPECT_TRUE(Called("Restore"));
    EXPECT_EQ(quarterHourBase, MakeTimeValue(2000, 3, 14, 11, 30, 0));  // the meeting had ended

    fake::state.calls.clear();
    mainLoop.userMaximized = 1;
    StartBreak(300000);
    StopBreak();
    EXPECT_FALSE(Called("Restore"));
}

TEST_F(TimerEngine, PausedTimerStartsItselfAtTheMeetingStart) {
    SetClock(3, 14, 9, 53);
    DefaultMeetingTimes();
    EXPECT_EQ(meetingStart, MakeTimeValue(2000, 3, 14, 10, 0, 0));
    InitTimerState();
    timerState.finishFired = 1;
    Advance(6 * 60000 + 59000);
    SampleTimer();
    StartAtMeetingStart();  // 9:59:59
    EXPECT_EQ(timerState.paused, 1);
    Advance(1000);
    SampleTimer();
    StartAtMeetingStart();
    EXPECT_EQ(timerState.paused, 0);
    EXPECT_EQ(timerState.finishFired, 0);
    EXPECT_EQ(Caption(), "||");
    EXPECT_EQ(RemainingNow(), 900000);
    StartBreak(1000);
    timerState.sampleTime = meetingStart;
    StartAtMeetingStart();
    EXPECT_EQ(timerState.mode, Break);
}
