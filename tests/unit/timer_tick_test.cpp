#include "tests/unit/timer_fixture.h"

using TimerTick_ = TimerTest;

TEST_F(TimerTick_, RefreshesOnlyWhenDueAndHoldsBackWhileTheWindowMoves) {
    SetCountDown(60000);
    EXPECT_FALSE(TimerTick());
    EXPECT_EQ(timerState.refreshMs, 250);
    EXPECT_EQ(timerState.nextRefreshTick, fake::state.tick + 250);
    Advance(249);
    mainLoop.inSizeMove = 1;
    EXPECT_FALSE(TimerTick());  // not due yet: the pass goes on
    Advance(1);
    EXPECT_TRUE(TimerTick());
    EXPECT_EQ(timerState.nextRefreshTick, fake::state.tick + 100);
}

TEST_F(TimerTick_, KeepsTimeAndScheduleAcrossTheWrapOfTheTickCount) {
    timerRect.height = 100;  // 100 ms a pixel: refresh every 200 ms
    for (std::uint32_t wrap : {0u, 0x80000000u}) {
        fake::state.tick = wrap - 5150;
        SetCountDown(10000);
        TimerTick();
        Advance(5000);
        TimerTick();  // schedules the next refresh just past the wrap
        EXPECT_EQ(timerState.nextRefreshTick, wrap + 50);
        Advance(100);
        TimerTick();
        EXPECT_EQ(timerState.nextRefreshTick, wrap + 50) << std::hex << wrap;
        Advance(100);
        TimerTick();
        EXPECT_EQ(timerState.nextRefreshTick, wrap + 250) << std::hex << wrap;
        EXPECT_EQ(RemainingNow(), 4800);
        Advance(10000);
        EXPECT_EQ(RemainingNow(), -5200);
    }
}

TEST_F(TimerTick_, PausedPastItsEndStartsTheAutomaticBreak) {
    settings.FinishAutoBreakTimer = 1;
    InitTimerState();
    Advance(900000);
    TimerTick();
    EXPECT_EQ(timerState.mode, Break);
    EXPECT_EQ(timerState.paused, 0);
    EXPECT_EQ(timerState.durationMs, 600000);  // FinishAutoBreakTime 4: ten minutes
    EXPECT_EQ(timerState.warningMs, 60000);
    EXPECT_TRUE(Called("Maximize"));
    const std::int32_t lengths[][2] = {{0, 30000}, {1, 60000}, {2, 120000}, {7, 1800000}};
    const std::int32_t warnings[] = {5000, 5000, 15000, 60000};
    for (int i = 0; i < 4; ++i) {
        settings.FinishAutoBreakTime = lengths[i][0];
        SetCountDown(0);
        TimerTick();
        EXPECT_EQ(timerState.durationMs, lengths[i][1]);
        EXPECT_EQ(timerState.warningMs, warnings[i]);
    }
}

TEST_F(TimerTick_, AutomaticRestartUsesThePresetOfTheLastPausedSetting) {
    settings.FinishAutoRestart = 1;
    InitTimerState();
    SetCountDown(600000);
    TogglePause();
    SetCountDown(60000);  // set while running: the preset stays ten minutes
    Advance(60000);
    timerState.finishFired = 1;
    TimerTick();
    EXPECT_EQ(timerState.mode, CountDown);
    EXPECT_EQ(timerState.finishFired, 0);
    EXPECT_EQ(RemainingNow(), 600000);
}

TEST_F(TimerTick_, AutomaticRestartOfAPausedTimerStandsAtTheNewBeginning) {
    settings.FinishAutoRestart = 1;
    InitTimerState();
    Advance(900000);
    TimerTick();
    EXPECT_EQ(timerState.paused, 1);
    timerState.sampleTick = timerState.pauseTick;
    EXPECT_EQ(RemainingMs(), 900000);
    Advance(30000);
    TogglePause();
    EXPECT_EQ(RemainingNow(), 900000);
}

TEST_F(TimerTick_, FinishedBreakGoesBackToWorkOnlyWithBothOptions) {
    settings.FinishAutoBreakTimer = 1;
    timerState.presetMs = 300000;
    StartBreak(60000);
    Advance(60000);
    TimerTick();
    EXPECT_EQ(timerState.mode, Break);  // keeps saying it has finished
    settings.FinishAutoRestart = 1;
    Advance(1000);
    TimerTick();
    EXPECT_EQ(timerState.mode, CountDown);
    EXPECT_EQ(RemainingNow(), 300000);
    EXPECT_EQ(timerState.warningMs, 60000);
    EXPECT_TRUE(Called("Restore"));
    EXPECT_EQ(Caption(), "||");
}

TEST_F(TimerTick_, CancelledPromptGivesACountDownAlreadyInOvertime) {
    SetCountDown(ParseDuration("") * 1000);
    Advance(100);
    TimerTick();
    EXPECT_LT(RemainingMs(), 0);
    EXPECT_EQ(timerState.mode, CountDown);
}
