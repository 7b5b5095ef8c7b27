// The finish is never missed: it comes on the first refresh at or after zero
// and after each further 15 s of overtime, whatever the phase of the refresh.
#include "tests/support/fake_alert_windows.h"
#include "tests/unit/timer_fixture.h"

namespace {

int Count(const std::string& call) {
    const auto& calls = fake::alertWindows.calls;
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

}  // namespace

TEST(DueAlerts, FinishAtEachMarkForEveryRefreshPhase) {
    Settings s;
    ResetSettings();
    s = settings;
    s.FinishFlash = 1;
    for (const std::int32_t interval : {100, 250, 1000}) {
        for (std::int32_t phase = 0; phase < interval; ++phase) {
            TimerState t;
            t.durationMs = 600000;
            t.warningMs = 0;
            std::vector<std::int32_t> events;
            for (std::int32_t r = phase + 2000; r > -61000; r -= interval) {
                t.sampleTick = static_cast<std::uint32_t>(t.durationMs - r);
                if (!DueAlerts(t, s).empty()) events.push_back(r);
            }
            ASSERT_EQ(events.size(), 5u) << interval << " " << phase;
            for (int mark = 0; mark < 5; ++mark) {
                // The first refresh at or after the mark.
                EXPECT_LE(events[mark], -15000 * mark);
                EXPECT_GT(events[mark], -15000 * mark - interval) << interval << " " << phase;
            }
        }
    }
}

class FinishAlerts : public TimerTest {
protected:
    void SetUp() override {
        TimerTest::SetUp();
        fake::ResetAlertWindows();
        settings.FinishFlash = 1;
    }
    // Main-loop passes every 20 ms until r is at or below `until`.
    static void RunUntil(std::int32_t until) {
        while (RemainingNow() > until) {
            Advance(20);
            TimerTick();
        }
    }
};

TEST_F(FinishAlerts, AResumedLongTimerStillFlashesAtEveryMark) {
    SetCountDown(900000);  // 3000 ms a pixel: one refresh a second
    Advance(100520);
    TogglePause();  // paused with 799.48 s left
    Advance(5000);
    TogglePause();
    TimerTick();  // refreshes at r = 799480, 798480, ... 480, -520, ...
    EXPECT_EQ(timerState.refreshMs, 1000);
    RunUntil(-61000);
    EXPECT_EQ(Count("OpenFlash"), 5);  // at -0.52, -15.52, -30.52, -45.52 and -60.52 s
}

TEST_F(FinishAlerts, AutomaticBreakOnlyAfterTheFinishAlerts) {
    // A warning a second before the end keeps the refresh on screen past zero.
    settings.FinishAutoBreakTimer = 1;
    settings.WarningTime = -1;
    settings.WarningFlash = settings.WarningPopup = 1;
    SetCountDown(300000);
    TimerTick();
    for (int pass = 0; pass < 20000 && timerState.mode == CountDown; ++pass) {
        Advance(20);
        TimerTick();
    }
    ASSERT_EQ(Count("OpenFlash"), 2);
    EXPECT_EQ(fake::alertWindows.windows.rbegin()->second.colour, platform::Rgb(255, 0, 0));
    EXPECT_EQ(timerState.mode, Break);
}
