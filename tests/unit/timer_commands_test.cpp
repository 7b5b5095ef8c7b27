// The timer commands given from outside the strip: a minute more or less in
// every mode and phase, reset, start whatever the timer does.
#include "app/timer_commands.h"

#include "settings/settings.h"
#include "stage/stage_commands.h"
#include "stage/stage_request.h"

#include "tests/unit/timer_fixture.h"

namespace {

class TimerCommands : public TimerTest {
protected:
    void SetUp() override {
        TimerTest::SetUp();
        InitTimerState();
    }
};

}  // namespace

TEST_F(TimerCommands, AMinuteMoreOrLessInEveryModeAndPhase) {
    enum Start { PausedAt, RunningAt, BreakAt, CountUpAt };
    struct Row {
        const char* what;
        Start start;
        std::int32_t remainingMs;  // what the readout shows before (negative: overtime)
        std::int32_t nudgeMs;
        std::int32_t expectedMs;
    };
    const Row rows[] = {
        {"paused, more", PausedAt, 300000, 60000, 360000},
        {"paused, less", PausedAt, 300000, -60000, 240000},
        {"running, more", RunningAt, 300000, 60000, 360000},
        {"running, less", RunningAt, 300000, -60000, 240000},
        {"0:30 less a minute finishes at once", RunningAt, 30000, -60000, 0},
        {"paused 0:30 less a minute finishes too", PausedAt, 30000, -60000, 0},
        {"finished, more: a minute from zero", RunningAt, -20000, 60000, 60000},
        {"finished, less: nothing", RunningAt, -20000, -60000, -20000},
        {"break, more", BreakAt, 120000, 60000, 180000},
        {"break 0:10, less", BreakAt, 10000, -60000, 0},
        {"count-up: left alone", CountUpAt, 900000 - 5000, 60000, 900000 - 5000},
    };
    for (const Row& row : rows) {
        SetUp();
        const std::int32_t length = 300000;
        if (row.start == BreakAt) {
            StartBreak(length);
        } else if (row.start == CountUpAt) {
            StartCountUp();
            timerState.durationMs = 900000;
        } else {
            SetCountDown(length);
            if (row.start == RunningAt) TogglePause();
        }
        if (row.start == CountUpAt) {
            Advance(5000);
        } else {
            // Runs (or, paused, stands) at remainingMs: the length is shortened to get there.
            timerState.durationMs += row.remainingMs - ShownRemainingMs();
        }
        ASSERT_EQ(ShownRemainingMs(), row.remainingMs) << row.what;
        NudgeTimer(row.nudgeMs);
        EXPECT_EQ(ShownRemainingMs(), row.expectedMs) << row.what;
        if (row.start == PausedAt) {
            Advance(7000);
            EXPECT_EQ(ShownRemainingMs(), row.expectedMs) << row.what << ": a paused timer stays put";
        }
    }
}

TEST_F(TimerCommands, AnAlertComesAgainOnlyWhenItsMomentLiesAheadOnceMore) {
    SetCountDown(300000);
    TogglePause();
    timerState.warningMs = 60000;
    timerState.durationMs -= 250000;  // 50 s left: the warning has come
    timerState.warningFired = 1;
    NudgeTimer(-20000);
    EXPECT_EQ(timerState.warningFired, 1) << "30 s left: still in the warning";
    NudgeTimer(60000);
    EXPECT_EQ(timerState.warningFired, 0) << "90 s left: the warning lies ahead again";
    NudgeTimer(-90000);
    ASSERT_EQ(ShownRemainingMs(), 0);
    timerState.finishFired = 1;
    timerState.finishMark = 0;
    NudgeTimer(60000);
    EXPECT_EQ(timerState.finishFired, 0);
    EXPECT_EQ(timerState.finishMark, -1);
}

TEST_F(TimerCommands, StartRunsTheCountDownWhateverTheTimerWasDoing) {
    struct Row {
        const char* what;
        void (*before)();
    };
    const Row rows[] = {
        {"paused", [] {}},
        {"running", [] { TogglePause(); }},
        {"counting up", [] { StartCountUp(); }},
        {"in a break", [] { StartBreak(300000); }},
        {"finished", [] {
             SetCountDown(1000);
             TogglePause();
             Advance(5000);
         }},
    };
    for (const Row& row : rows) {
        SetUp();
        row.before();
        StartCountDownNow(90000);
        EXPECT_EQ(timerState.mode, CountDown) << row.what;
        EXPECT_EQ(timerState.paused, 0) << row.what;
        EXPECT_EQ(ShownRemainingMs(), 90000) << row.what;
        Advance(1000);
        EXPECT_EQ(ShownRemainingMs(), 89000) << row.what << ": it runs";
    }
}

TEST_F(TimerCommands, ResetAndPauseStates) {
    SetCountDown(120000);  // set while paused: the preset
    TogglePause();
    Advance(30000);
    SetPaused(false);
    EXPECT_EQ(timerState.paused, 0) << "resuming a running timer changes nothing";
    SetPaused(true);
    SetPaused(true);
    EXPECT_EQ(timerState.paused, 1);
    EXPECT_EQ(ShownRemainingMs(), 90000);
    ResetTimer();
    EXPECT_EQ(timerState.paused, 1);
    EXPECT_EQ(ShownRemainingMs(), 120000);
    StartBreak(60000);
    ResetTimer();
    EXPECT_FALSE(InBreak());
    EXPECT_EQ(ShownRemainingMs(), 120000);
}

// A preset from a hotkey or the stage view's control sets the count-down as
// its button does, and ends a break first; the stage view's words act
// through the same commands, so a minute more reaches a break too.
TEST_F(TimerCommands, PresetsAndTheStageViewsWordsActAsTheStripDoes) {
    settings.Button2 = 300;
    StartBreak(120000);
    SetPresetCountDown(2);
    EXPECT_FALSE(InBreak());
    EXPECT_EQ(timerState.mode, CountDown);
    EXPECT_EQ(ShownRemainingMs(), 300000);

    // What a control request's body asks, run as the main loop runs it.
    const auto control = [](const char* body) {
        QueueStageCommand(ParseStageCommand(body).value());
        RunStageCommands();
    };
    StartBreak(120000);
    control("add 1m");
    EXPECT_EQ(ShownRemainingMs(), 180000);
    control("Preset 2");
    EXPECT_FALSE(InBreak());
    EXPECT_EQ(ShownRemainingMs(), 300000);
    const bool paused = timerState.paused != 0;
    control(paused ? "resume" : "pause");
    EXPECT_NE(timerState.paused != 0, paused);
    control("toggle");
    EXPECT_EQ(timerState.paused != 0, paused);
}
