// Taskbar progress through the readout refresh, and the keyboard handed back
// to a slide show after the user's actions.
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/presentation.h"
#include "app/timer_engine.h"
#include "display/layout.h"
#include "display/readouts.h"
#include "settings/settings.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_shell.h"

namespace {

using Calls = std::vector<std::string>;

// Only the timer: a readout 298 x 300 at (1, 34) of a 300 x 348 window.
class TaskbarProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::OpenReadoutWindow(300, 348);
        fake::ResetShell();
        settings.ShowMeetingClock = 0;
        settings.ShowCostCounter = 0;
        settings.ShowTaskBarProgress = 1;
        fake::state.tick = 10'000'000;
        timerState.mode = CountDown;
        timerState.durationMs = 600000;
        timerState.warningMs = 120000;
        timerState.startTick = fake::state.tick;
        timerState.paused = 0;
        timerState.warningFired = timerState.finishFired = 1;  // no alerts in the way
        LayoutReadouts(0);
        InitTaskbarProgress();
    }
    void TearDown() override { ReleaseTaskbarProgress(); }
    // Refreshes with this much remaining; the calls made on the taskbar list.
    Calls RefreshWithRemaining(std::int32_t remainingMs) {
        timerState.startTick = fake::state.tick - static_cast<std::uint32_t>(600000 - remainingMs);
        if (timerState.paused) timerState.pauseTick = fake::state.tick;
        fake::shell.taskbarCalls.clear();
        RefreshReadouts();
        return fake::shell.taskbarCalls;
    }
    static Calls Shown(int state, int value) {
        return {"HrInit", "SetProgressValue " + std::to_string(value) + " 100",
                "SetProgressState " + std::to_string(state), "SetThumbnailClip 1 34 298 300"};
    }
};

}  // namespace

TEST_F(TaskbarProgressTest, StatesAndValuesAcrossARun) {
    EXPECT_EQ(RefreshWithRemaining(450000), Shown(2, 75));  // running: normal, shrinking
    EXPECT_EQ(RefreshWithRemaining(100000), Shown(8, 17));  // warning, lit (ceil 100 is even)
    EXPECT_EQ(RefreshWithRemaining(98500), Shown(2, 17));   // warning, dark second of the blink
    settings.WarningBlink = 0;
    EXPECT_EQ(RefreshWithRemaining(98500), Shown(8, 17));   // warning without blinking
    EXPECT_EQ(RefreshWithRemaining(-300), Shown(4, 100));   // finished, lit: red
    EXPECT_EQ(RefreshWithRemaining(-1200), Shown(0, 100));  // finished, dark
    timerState.paused = 1;
    EXPECT_EQ(RefreshWithRemaining(450000), Shown(1, 75));  // paused: marquee
    EXPECT_EQ(RefreshWithRemaining(100000), Shown(1, 17));  // paused in the warning too
}

TEST_F(TaskbarProgressTest, SwitchedOffOrWithoutTheTimerTheThumbnailIsTheWholeWindow) {
    settings.ShowTaskBarProgress = 0;
    EXPECT_EQ(RefreshWithRemaining(450000), (Calls{"HrInit", "SetProgressState 0", "SetThumbnailClip none"}));
    settings.ShowTaskBarProgress = 1;
    fake::shell.taskbarCalls.clear();
    settings.ShowTimer = 0;
    UpdateTaskbarProgress(2, 40);
    EXPECT_EQ(fake::shell.taskbarCalls,
              (Calls{"HrInit", "SetProgressValue 40 100", "SetProgressState 2", "SetThumbnailClip none"}));
}

TEST_F(TaskbarProgressTest, OtherTimersLeaveTheTaskbarAlone) {
    timerState.mode = CountUp;
    EXPECT_TRUE(RefreshWithRemaining(450000).empty());
}

TEST_F(TaskbarProgressTest, WithoutATaskbarListNothingIsCalled) {
    ReleaseTaskbarProgress();
    EXPECT_EQ(fake::shell.taskbarCalls, Calls{"Release"});
    fake::shell.taskbarAvailable = false;
    InitTaskbarProgress();
    EXPECT_FALSE(taskbarList);
    EXPECT_TRUE(RefreshWithRemaining(450000).empty());
}

TEST(ReturnFocusToSlideshow, OnlyWhenASlideShowRuns) {
    fake::ResetShell();
    ReturnFocusToSlideshow();
    EXPECT_TRUE(fake::shell.foregrounds.empty());
    fake::shell.windowClasses = {"screenClass"};
    ReturnFocusToSlideshow();
    EXPECT_EQ(fake::shell.foregrounds, std::vector<std::string>{"screenClass"});
}
