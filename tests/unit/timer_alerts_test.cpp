#include "tests/unit/timer_fixture.h"

namespace {

// A count-down with r milliseconds left at the sample.
TimerState At(std::int32_t r, std::int32_t warningMs = 30000) {
    TimerState t;
    t.startTick = 1000;
    t.durationMs = 600000;
    t.sampleTick = t.startTick + static_cast<std::uint32_t>(t.durationMs - r);
    t.warningMs = warningMs;
    return t;
}

Settings AllAlertsOn() {
    Settings s;
    ResetSettings();
    s = settings;
    s.WarningSound = s.WarningFlash = s.WarningPopup = 1;
    s.FinishSound = s.FinishFlash = s.FinishPopup = 1;
    s.WarningSoundFile = 3;
    s.FinishSoundFile = 19;
    s.WarningSoundCustom = "C:\\warn.wav";
    s.FinishSoundCustom = "C:\\end.mp3";
    return s;
}

const AlertStep FinishFlash{AlertKind::Flash, 0, "", 0};
const AlertStep FinishPopup{AlertKind::Popup, 0, "", 0};

}  // namespace

TEST(FinishMark, ZeroAndEachFifteenSecondsOfOvertime) {
    const std::int32_t table[][2] = {{1000, -1}, {1, -1},      {0, 0},       {-50, 0},
                                     {-14999, 0}, {-15000, 1}, {-30050, 2}, {INT32_MIN, 143165}};
    for (const auto& [r, mark] : table) EXPECT_EQ(FinishMark(r), mark) << r;
}

TEST(DueAlerts, FinishSoundOnceFlashAndPopupAtEveryMarkInOrder) {
    const Settings s = AllAlertsOn();
    TimerState t = At(50);
    EXPECT_TRUE(DueAlerts(t, s).empty());  // not yet: the finish comes at zero
    t.sampleTick += 100;  // -0.05 s
    EXPECT_EQ(DueAlerts(t, s), (std::vector<AlertStep>{{AlertKind::Sound, 0, "", 19}, FinishFlash, FinishPopup}));
    EXPECT_EQ(t.finishFired, 1);
    EXPECT_EQ(t.warningFired, 1);
    EXPECT_TRUE(DueAlerts(t, s).empty());  // once per mark
    t.sampleTick += 15100;  // -15.15 s
    EXPECT_EQ(DueAlerts(t, s), (std::vector<AlertStep>{FinishFlash, FinishPopup}));
    t.alertBusy = 1;  // a nested refresh while the flash is on screen
    t.sampleTick += 15000;
    EXPECT_TRUE(DueAlerts(t, s).empty());
}

TEST(DueAlerts, AStuckBusyFlagIsClearedAtTheFirstFinish) {
    Settings s = AllAlertsOn();
    s.FinishSoundFile = 20;
    TimerState t = At(-50);
    t.alertBusy = 1;
    EXPECT_EQ(DueAlerts(t, s), (std::vector<AlertStep>{{AlertKind::Sound, 0, "C:\\end.mp3", 0}, FinishFlash, FinishPopup}));
}

TEST(DueAlerts, WarningOnceAndOnlyWithAWholeSecondLeft) {
    Settings s = AllAlertsOn();
    TimerState t = At(29000);
    EXPECT_EQ(DueAlerts(t, s), (std::vector<AlertStep>{{AlertKind::Sound, 1, "", 3},
                                                       {AlertKind::Flash, 1, "", 0},
                                                       {AlertKind::Popup, 1, "", 0}}));
    EXPECT_TRUE(DueAlerts(t, s).empty());

    s.WarningSoundFile = 11;
    t = At(1000);
    EXPECT_EQ(DueAlerts(t, s).front(), (AlertStep{AlertKind::Sound, 1, "C:\\warn.wav", 0}));

    t = At(800);  // the warning was missed: it is not given any more, the finish still comes
    EXPECT_TRUE(DueAlerts(t, s).empty());
    EXPECT_EQ(t.warningFired, 0);
    t.sampleTick += 850;
    EXPECT_EQ(DueAlerts(t, s).size(), 3u);

    for (std::int32_t threshold : {0, -75000}) {
        t = At(500, threshold);
        EXPECT_TRUE(DueAlerts(t, s).empty());
    }
}

class CheckAlertsTest : public TimerTest {};

TEST_F(CheckAlertsTest, OnlyForAShownRunningCountDown) {
    settings.ShowTimer = 0;  // also keeps the refresh inside SetCountDown from giving the finish
    SetCountDown(0);
    SampleTimer();
    CheckAlerts();
    EXPECT_EQ(timerState.finishFired, 0);
    settings.ShowTimer = 1;
    timerState.paused = 1;
    CheckAlerts();
    EXPECT_EQ(timerState.finishFired, 0);
    timerState.paused = 0;
    timerState.mode = CountUp;
    CheckAlerts();
    EXPECT_EQ(timerState.finishFired, 0);
    timerState.mode = CountDown;
    CheckAlerts();
    EXPECT_EQ(timerState.finishFired, 1);
}
