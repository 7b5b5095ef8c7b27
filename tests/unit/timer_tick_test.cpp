#include "tests/support/fake_alert_windows.h"
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
    EXPECT_EQ(RemainingNow(), 299000);  // from the break's end, a second ago
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

namespace {

int RedFlashes() {
    return static_cast<int>(std::count_if(fake::alertWindows.windows.begin(), fake::alertWindows.windows.end(),
                                          [](const auto& w) { return w.second.flash && w.second.colour == platform::Rgb(255, 0, 0); }));
}

// Runs the main loop's refresh step as the loop does, waking when the next
// refresh is due (the alerts let the fake clock run on while they show), and
// returns the tick of the refresh of each finish (its red flash), until count
// of them or until limitMs.
std::vector<std::uint32_t> Finishes(int count, std::uint32_t limitMs) {
    std::vector<std::uint32_t> finishes;
    const std::uint32_t start = fake::state.tick;
    while (static_cast<int>(finishes.size()) < count && fake::state.tick - start < limitMs) {
        const int flashes = RedFlashes();
        const std::uint32_t refreshed = fake::state.tick;
        TimerTick();
        if (RedFlashes() != flashes) finishes.push_back(refreshed);
        const std::int32_t wait = static_cast<std::int32_t>(timerState.nextRefreshTick - fake::state.tick);
        fake::state.tick += static_cast<std::uint32_t>(std::max(wait, 1));
    }
    return finishes;
}

void AllAlertsOn() {
    fake::ResetAlertWindows();
    settings.WarningFlash = settings.WarningPopup = settings.FinishFlash = settings.FinishPopup = 1;
}

}  // namespace

TEST_F(TimerTick_, TenAutomaticRestartsOfTwoMinutesTakeTwentyMinutes) {
    settings.FinishAutoRestart = 1;
    AllAlertsOn();
    InitTimerState();
    SetCountDown(120000);
    TogglePause();
    const std::uint32_t started = timerState.startTick;
    const std::vector<std::uint32_t> finishes = Finishes(10, 30 * 60000);
    ASSERT_EQ(finishes.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        // Each finish comes at the first refresh (every 500 ms) at or after its zero.
        const std::uint32_t zero = started + 120000u * static_cast<std::uint32_t>(i + 1);
        EXPECT_GE(finishes[i] - started, zero - started) << i;
        EXPECT_LT(finishes[i] - zero, 1000u) << i;
    }
}

TEST_F(TimerTick_, AutomaticBreakAndBackToWorkKeepTime) {
    settings.FinishAutoRestart = 1;
    settings.FinishAutoBreakTimer = 1;
    settings.FinishAutoBreakTime = 2;  // two minutes
    AllAlertsOn();
    InitTimerState();
    SetCountDown(120000);
    TogglePause();
    const std::uint32_t started = timerState.startTick;
    // Count-down, break, count-down...: the fifth count-down ends after nine two-minute runs.
    const std::vector<std::uint32_t> finishes = Finishes(5, 30 * 60000);
    ASSERT_EQ(finishes.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const std::uint32_t zero = started + 120000u * static_cast<std::uint32_t>(2 * i + 1);
        EXPECT_GE(finishes[i] - started, zero - started) << i;
        EXPECT_LT(finishes[i] - zero, 1000u) << i;
    }
}

TEST_F(TimerTick_, AFinishLongPastRestartsFromNowWithoutABurst) {
    settings.FinishAutoRestart = 1;
    AllAlertsOn();
    struct Row {
        const char* what;
        std::uint32_t asleepMs;            // no refresh for this long after the start of a two-minute run
        std::uint32_t minGapMs, maxGapMs;  // from the finish on waking to the next
    } rows[] = {
        {"five runs past the end", 5 * 120000 + 127000, 120000, 125000},
        {"one whole run past the end", 240000, 120000, 125000},
        {"half a run past the end: the next run keeps time", 180000, 59000, 61000},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        InitTimerState();
        SetCountDown(120000);
        TogglePause();
        TimerTick();
        fake::state.tick += r.asleepMs;
        const std::uint32_t woke = fake::state.tick;
        const std::vector<std::uint32_t> finishes = Finishes(2, 10 * 60000);
        ASSERT_EQ(finishes.size(), 2u);
        EXPECT_LT(finishes[0] - woke, 1000u);
        EXPECT_GE(finishes[1] - finishes[0], r.minGapMs);
        EXPECT_LT(finishes[1] - finishes[0], r.maxGapMs);
    }
}

TEST_F(TimerTick_, ATimerPausedPastItsEndRunsAWholeRunOnceResumed) {
    settings.FinishAutoRestart = 1;
    AllAlertsOn();
    InitTimerState();
    SetCountDown(120000);
    TogglePause();
    fake::state.tick += 60000;
    TogglePause();
    fake::state.tick += 3 * 120000;
    EXPECT_TRUE(Finishes(1, 5000).empty());  // restarted, paused, in silence
    EXPECT_EQ(timerState.paused, 1);
    TogglePause();
    const std::uint32_t resumed = fake::state.tick;
    const std::vector<std::uint32_t> finishes = Finishes(1, 10 * 60000);
    ASSERT_EQ(finishes.size(), 1u);
    EXPECT_GE(finishes[0] - resumed, 120000u);
    EXPECT_LT(finishes[0] - resumed, 121000u);
}
