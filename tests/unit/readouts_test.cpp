#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/timer_engine.h"
#include "display/layout.h"
#include "display/readouts.h"
#include "lang/messages.h"
#include "platform/images.h"
#include "settings/settings.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_screen.h"
#include "timekeeping/time_values.h"

using platform::Colour;
using platform::Rgb;

namespace {

constexpr Colour Black = Rgb(0, 0, 0);
constexpr Colour White = Rgb(255, 255, 255);
constexpr Colour Green = Rgb(0, 150, 0);
constexpr Colour Yellow = Rgb(255, 255, 0);
constexpr Colour Red = Rgb(255, 0, 0);
constexpr Colour Blue = Rgb(0, 0, 200);

Colour TimerPixel(int x, int y) { return fake::Pixel(image::TimerReadout, x, y); }
Colour ClockPixel(int x, int y) { return fake::Pixel(image::ClockReadout, x, y); }

// A window whose readouts have known sizes: with the fake's metrics the timer
// text font (slot 3) is 69 points, 92 pixels high and 46 wide per character.
class ReadoutTest : public ::testing::Test {
protected:
    // Only the timer: a readout 298 x 300 at (1, 34).
    void OpenTimerWindow() {
        fake::OpenReadoutWindow(300, 348);
        settings.ShowMeetingClock = 0;
        settings.ShowCostCounter = 0;
        Prepare();
    }
    // Only the clock: a readout 298 x 371 at (1, 15); its band is 58 high.
    void OpenClockWindow() {
        fake::OpenReadoutWindow(300, 400);
        settings.ShowTimer = 0;
        Prepare();
    }
    // Clock 298 x 375 above a timer 298 x 375.
    void OpenClockAndTimerWindow() {
        fake::OpenReadoutWindow(300, 800);
        Prepare();
    }
    void Prepare() {
        settings.Mode3D = 0;
        fake::state.tick = 10'000'000;
        StartCountDown(600000, 0);
        LayoutReadouts(0);
    }
    // A running count-down of this length that has run this long.
    void StartCountDown(std::int32_t durationMs, std::int32_t elapsedMs) {
        timerState.mode = CountDown;
        timerState.durationMs = durationMs;
        timerState.warningMs = 120000;
        timerState.startTick = fake::state.tick - static_cast<std::uint32_t>(elapsedMs);
        timerState.startTime = ClockNow() - elapsedMs / 1000;
        timerState.paused = 0;
        timerState.refreshMs = 1000;
    }
    void Remaining(std::int32_t ms) { StartCountDown(600000, 600000 - ms); }
};

TEST_F(ReadoutTest, TenMinuteCountDownAfterTwoAndAHalfMinutesHasItsBoundaryAt75) {
    OpenTimerWindow();
    EXPECT_EQ(timerRect, (platform::Rect{1, 34, 298, 300}));
    StartCountDown(600000, 150000);
    RefreshReadouts();
    EXPECT_EQ(TimerPixel(0, 74), Black);
    EXPECT_EQ(TimerPixel(0, 75), Green);
    EXPECT_EQ(TimerPixel(297, 299), Green);
    // "8 min" (230 pixels) centred in the column; lifted above the boundary and
    // kept inside the image, so it starts at the top.
    EXPECT_EQ(TimerPixel(34, 0), White);
    EXPECT_EQ(TimerPixel(33, 0), Black);
    EXPECT_EQ(TimerPixel(34, 91), White);
    EXPECT_EQ(TimerPixel(34, 92), Green);
    const TaskbarProgress p = CountDownProgress();
    EXPECT_EQ(p.state, 2);
    EXPECT_EQ(p.value, 75);
}

TEST_F(ReadoutTest, BlinkingFollowsTheRemainingWholeSecondsRoundedUp) {
    OpenTimerWindow();
    struct Case {
        std::int32_t remaining;
        Colour shown;
        int taskbar;
    };
    const Case cases[] = {
        {2400, Black, 2},   // ceil 3: the warning's dark second
        {1500, Yellow, 8},  // ceil 2
        {500, Black, 2},    // ceil 1
        {-300, Red, 4},     // ceil 0: finished, red
        {-1200, Black, 0},  // ceil -1
        {-2500, Red, 4},    // ceil -2
    };
    for (const Case& c : cases) {
        Remaining(c.remaining);
        RefreshReadouts();
        EXPECT_EQ(TimerPixel(0, 0), c.shown) << c.remaining;
        EXPECT_EQ(CountDownProgress().state, c.taskbar) << c.remaining;
    }
    EXPECT_EQ(CountDownProgress().value, 100);
}

TEST_F(ReadoutTest, WithoutBlinkingTheFinishStaysRed) {
    OpenTimerWindow();
    settings.FinishBlink = 0;
    for (std::int32_t r : {-300, -1200, -2500}) {
        Remaining(r);
        RefreshReadouts();
        EXPECT_EQ(TimerPixel(0, 0), Red) << r;
    }
    // The finished text is centred: (300 - 92) / 2.
    EXPECT_EQ(TimerPixel(34, 104), White);
    EXPECT_EQ(TimerPixel(34, 103), Red);
}

TEST_F(ReadoutTest, PausedCountDownIsGreyAndFlatEvenIn3DMode) {
    OpenTimerWindow();
    settings.Mode3D = 1;
    StartCountDown(600000, 150000);
    timerState.paused = 1;
    timerState.pauseTick = timerState.startTick + 150000;
    fake::state.tick += 60000;  // time goes on, the paused readout does not
    RefreshReadouts();
    EXPECT_EQ(TimerPixel(0, 74), Rgb(20, 20, 20));
    EXPECT_EQ(TimerPixel(0, 75), Rgb(75, 75, 75));
    EXPECT_EQ(TimerPixel(297, 299), Rgb(75, 75, 75));
    EXPECT_EQ(TimerPixel(34, 0), Rgb(200, 200, 200));
    EXPECT_EQ(timerState.sampleTick, fake::state.tick);  // the real sample is back
    timerState.sampleTick = timerState.pauseTick;
    EXPECT_EQ(CountDownProgress().state, 1);
    EXPECT_EQ(CountDownProgress().value, 75);
}

TEST_F(ReadoutTest, RunningCountDownIn3DModeIsShaded) {
    OpenTimerWindow();
    settings.Mode3D = 1;
    StartCountDown(600000, 150000);
    RefreshReadouts();
    EXPECT_EQ(TimerPixel(0, 74), Rgb(97, 97, 97));  // scheme 10's left edge
    EXPECT_EQ(TimerPixel(0, 75), Rgb(6, 94, 0));    // scheme 0's left edge
}

TEST_F(ReadoutTest, OvertimeWithoutFinishRedStaysInTheWarningLookWithTheTextAtTheBottom) {
    OpenTimerWindow();
    settings.FinishRed = 0;
    settings.WarningBlink = 0;
    Remaining(-5000);
    RefreshReadouts();
    EXPECT_EQ(TimerPixel(0, 299), Yellow);  // the progress fill lies below the image
    EXPECT_EQ(TimerPixel(36, 299), Black);  // text "00:05", black, flush with the bottom
    EXPECT_EQ(TimerPixel(36, 208), Black);
    EXPECT_EQ(TimerPixel(36, 207), Yellow);
    EXPECT_EQ(CountDownProgress().state, 8);
    EXPECT_EQ(CountDownProgress().value, 0);  // never below empty
}

TEST_F(ReadoutTest, TenthsAreSmallerAndShareTheDigitsBaseline) {
    OpenTimerWindow();
    settings.WarningYellow = 0;
    timerState.refreshMs = 100;
    Remaining(9940);
    timerState.refreshMs = 100;
    RefreshReadouts();
    // "9" in 69 points at x 90..134; ".9" in 55 points (73 high) from x 136,
    // 15 pixels lower so that both end on the same baseline.
    EXPECT_EQ(TimerPixel(100, 208), White);
    EXPECT_EQ(TimerPixel(89, 250), Black);
    EXPECT_EQ(TimerPixel(140, 222), Black);
    EXPECT_EQ(TimerPixel(140, 223), White);
    EXPECT_EQ(TimerPixel(175, 295), White);

    Remaining(9950);
    timerState.refreshMs = 100;
    RefreshReadouts();
    // "00:10" in one font from x 34.
    EXPECT_EQ(TimerPixel(34, 208), White);
    EXPECT_EQ(TimerPixel(140, 208), White);
    EXPECT_EQ(TimerPixel(89, 250), White);
}

TEST_F(ReadoutTest, CountUpShowsTheElapsedTimeOnMagenta) {
    OpenTimerWindow();
    timerState.mode = CountUp;
    timerState.startTick = fake::state.tick - 42000;
    RefreshReadouts();
    EXPECT_EQ(TimerPixel(0, 0), Rgb(150, 0, 150));
    EXPECT_EQ(TimerPixel(34, 104), White);  // "00:42" centred
    timerState.paused = 1;
    timerState.pauseTick = fake::state.tick;
    RefreshReadouts();
    EXPECT_EQ(TimerPixel(0, 0), Rgb(75, 75, 75));
    EXPECT_EQ(TimerPixel(34, 104), Rgb(200, 200, 200));
}

TEST_F(ReadoutTest, ReadoutsTooSmallToDrawAreLeftAlone) {
    fake::OpenReadoutWindow(20, 44);
    settings.ShowCostCounter = 1;
    StartCountDown(600000, 1000);
    LayoutReadouts(0);
    const int before = fake::state.gadgets.at(gadget::TimerReadout).imageChanges;
    RefreshReadouts();
    EXPECT_EQ(fake::state.gadgets.at(gadget::TimerReadout).imageChanges, before);
    EXPECT_EQ(fake::state.gadgets.at(gadget::ClockReadout).imageChanges, 0);
    EXPECT_GT(fake::state.gadgets.at(gadget::CostReadout).imageChanges, 0);  // the cost strip still fits
}

// The meeting clock.

TEST_F(ReadoutTest, ClockDuringTheMeetingDrainsABlueColumn) {
    OpenClockWindow();
    EXPECT_EQ(clockRect, (platform::Rect{1, 15, 298, 371}));
    const TimeValue now = ClockNow();
    meetingStart = now - 1800;
    meetingEnd = now + 1800;
    RefreshReadouts();
    EXPECT_EQ(ClockPixel(0, 0), White);   // the band
    EXPECT_EQ(ClockPixel(0, 57), White);
    EXPECT_EQ(ClockPixel(0, 58), Black);  // the line below it
    // Half the meeting gone: the boundary is half-way down the 312 pixels below.
    EXPECT_EQ(ClockPixel(0, 214), Black);
    EXPECT_EQ(ClockPixel(0, 215), Blue);
    // "30 min", white, just above the boundary.
    EXPECT_EQ(ClockPixel(13, 129), White);
    EXPECT_EQ(ClockPixel(13, 128), Black);
    // The time of day in the band, black.
    EXPECT_EQ(ClockPixel(7, 10), Black);
}

TEST_F(ReadoutTest, ClockBeforeTheMeetingWaitsOnGrey) {
    OpenClockWindow();
    const TimeValue now = ClockNow();
    meetingStart = now + 600;
    meetingEnd = now + 4200;
    RefreshReadouts();
    EXPECT_EQ(ClockPixel(0, 100), Rgb(200, 200, 200));
    EXPECT_EQ(ClockPixel(0, 370), Rgb(200, 200, 200));
    // "Wait" ends at the middle of the lower area, "10 min" starts there.
    EXPECT_EQ(ClockPixel(13, 215), Rgb(40, 40, 40));
    EXPECT_EQ(ClockPixel(13, 214), Rgb(200, 200, 200));
    EXPECT_EQ(ClockPixel(103, 214), Rgb(40, 40, 40));
}

TEST_F(ReadoutTest, ClockTurnsYellowInTheLastFiveMinutes) {
    OpenClockWindow();
    const TimeValue now = ClockNow();
    meetingStart = now - 3400;
    meetingEnd = now + 200;
    RefreshReadouts();
    EXPECT_EQ(ClockPixel(0, 100), Yellow);
    EXPECT_EQ(ClockPixel(0, 353), Yellow);
    EXPECT_EQ(ClockPixel(0, 354), Blue);
    settings.Mode3D = 1;
    RefreshReadouts();
    EXPECT_EQ(ClockPixel(0, 0), Rgb(178, 178, 178));  // the silver band, downwards
    EXPECT_EQ(ClockPixel(0, 100), Rgb(95, 70, 0));     // scheme 6
    EXPECT_EQ(ClockPixel(0, 354), Rgb(0, 6, 90));      // scheme 1
}

TEST_F(ReadoutTest, ClockAfterTheMeetingIsRed) {
    OpenClockWindow();
    const TimeValue now = ClockNow();
    meetingStart = now - 3700;
    meetingEnd = now - 100;
    RefreshReadouts();
    EXPECT_EQ(ClockPixel(0, 100), Red);
    EXPECT_EQ(ClockPixel(36, 83), White);  // "01:40" overtime, lifted from the middle
    EXPECT_EQ(ClockPixel(36, 82), Red);
}

TEST_F(ReadoutTest, MeetingThatEndsAtItsStartLastsOneSecond) {
    OpenClockWindow();
    meetingStart = meetingEnd = ClockNow();
    RefreshReadouts();  // no division by zero: the column is full for that second
    EXPECT_EQ(ClockPixel(0, 59), Blue);
    EXPECT_EQ(ClockPixel(0, 370), Blue);
    meetingStart = meetingEnd = ClockNow() - 1;
    RefreshReadouts();
    EXPECT_EQ(ClockPixel(0, 100), Red);
}

TEST_F(ReadoutTest, TimerEndMarkerMovesOnlyByMoreThanThreePixels) {
    OpenClockAndTimerWindow();
    EXPECT_EQ(clockRect, (platform::Rect{1, 15, 298, 375}));
    const TimeValue now = ClockNow();
    meetingStart = now - 1800;
    meetingEnd = now + 1800;
    StartCountDown(1800000, 900000);             // 15 minutes left
    RefreshReadouts();
    // 59 + Near(316 * 2700 / 3600) = 296: a 2-pixel black mark at 295 and 296.
    EXPECT_EQ(markerY, 296);
    EXPECT_EQ(ClockPixel(0, 294), Blue);
    EXPECT_EQ(ClockPixel(0, 295), Black);
    EXPECT_EQ(ClockPixel(0, 296), Black);
    EXPECT_EQ(ClockPixel(0, 297), Blue);

    markerY = 294;  // within 3 pixels: stays
    RefreshReadouts();
    EXPECT_EQ(markerY, 294);
    EXPECT_EQ(ClockPixel(0, 293), Black);
    EXPECT_EQ(ClockPixel(0, 295), Blue);
    markerY = 292;
    RefreshReadouts();
    EXPECT_EQ(markerY, 296);

    StartCountDown(1800000, 1800000 - 60000);  // one minute left: a warning mark
    RefreshReadouts();
    EXPECT_EQ(ClockPixel(0, markerY), Yellow);
}

TEST_F(ReadoutTest, TimerEndMarkerIsNotDrawnPastTheBottom) {
    OpenClockAndTimerWindow();
    const TimeValue now = ClockNow();
    meetingStart = now - 1800;
    meetingEnd = now + 1800;
    StartCountDown(3600000, 0);  // ends half an hour after the meeting
    RefreshReadouts();
    EXPECT_EQ(markerY, 59 + 474);
    for (int y = 217; y < 375; ++y) ASSERT_EQ(ClockPixel(0, y), Blue) << y;
}

// The cost.

TEST(HourlyRate, FollowsTheSalaryPeriod) {
    settings = Settings{};
    settings.CostSalary = 52000;
    settings.CostPeriod = 0;
    EXPECT_EQ(HourlyRate(), 25);
    settings.CostSalary = 4000;
    settings.CostPeriod = 1;  // a twelfth of a 2080-hour year
    EXPECT_EQ(HourlyRate(), 23);
    settings.CostSalary = 1000;
    settings.CostPeriod = 2;
    EXPECT_EQ(HourlyRate(), 25);
    settings.CostPeriod = 3;
    EXPECT_EQ(HourlyRate(), 1000);
    settings.CostPeriod = 9;
    EXPECT_EQ(HourlyRate(), 1000);
}

TEST(GroupDigits, GroupsInThreesWithAOneCharacterSeparatorOnly) {
    EXPECT_EQ(GroupDigits("1234", ","), "1,234");
    EXPECT_EQ(GroupDigits("1234567", ","), "1,234,567");
    EXPECT_EQ(GroupDigits("123456", "."), "123.456");
    EXPECT_EQ(GroupDigits("123", ","), "123");
    EXPECT_EQ(GroupDigits("1234567", ".."), "1234567");
    EXPECT_EQ(GroupDigits("1234567", ""), "1234567");
    EXPECT_EQ(GroupDigits("1234567", "\xC2\xA0"), "1\xC2\xA0" "234\xC2\xA0" "567");  // one character, two bytes
}

class CostTest : public ReadoutTest {
protected:
    void SetUp() override {
        fake::OpenReadoutWindow(300, 400);
        settings.ShowCostCounter = 1;
        settings.CostSalary = 52000;
        settings.CostPeriod = 0;
        settings.NumOfParticipants = 10;
        timerState.sampleTime = ClockNow();
    }
};

TEST_F(CostTest, CountsFromTheMeetingStart) {
    meetingStart = timerState.sampleTime - 1800;
    EXPECT_EQ(MeetingCost(), 125);
    EXPECT_EQ(CostText(), "$125");
    meetingStart = timerState.sampleTime - 7200;
    EXPECT_EQ(CostText(), "$500");
    meetingStart = timerState.sampleTime;
    EXPECT_EQ(CostText(), Message(91));
    EXPECT_EQ(CostText().find('$'), std::string::npos);
}

TEST_F(CostTest, LargeCostsAreGroupedAndDoNotOverflow) {
    settings.CostPeriod = 3;
    settings.CostSalary = 3600;
    settings.NumOfParticipants = 1;
    meetingStart = timerState.sampleTime - 1234567;
    EXPECT_EQ(CostText(), "$1,234,567");
    thousandsSeparator = "''";
    EXPECT_EQ(CostText(), "$1234567");
    settings.CostSalary = 2000000000;
    settings.NumOfParticipants = 1000;
    meetingStart = timerState.sampleTime - 36000;
    EXPECT_EQ(MeetingCost(), 20000000000000);
}

TEST_F(CostTest, CostReadoutIsOrangeOnCream) {
    meetingStart = ClockNow() - 1800;
    LayoutReadouts(0);
    const platform::Rect r = costRect;
    ASSERT_GT(r.height, 0);
    EXPECT_EQ(fake::Pixel(image::CostReadout, 0, 0), Rgb(255, 255, 185));
    // "$125" centred at the top.
    const int charWidth = fake::CharWidth(fake::state.fonts.at(font::Cost));
    const int x = (r.width - 4 * charWidth + 1) / 2;
    EXPECT_EQ(fake::Pixel(image::CostReadout, x + 1, 1), Rgb(255, 100, 0));
    EXPECT_EQ(fake::Pixel(image::CostReadout, x - 1, 1), Rgb(255, 255, 185));
}

// The break.

TEST_F(ReadoutTest, BreakShowsTealProgressAndBlinksYellowInItsLastMinute) {
    OpenTimerWindow();
    timerState.mode = Break;
    layoutState.relayoutRequested = 1;
    LayoutReadouts(0);
    timerState.durationMs = 600000;
    timerState.warningMs = 60000;
    timerState.startTick = fake::state.tick - 300000;
    RefreshReadouts();
    const int mid = timerRect.height / 2;
    EXPECT_EQ(TimerPixel(0, mid - 1), Black);
    EXPECT_EQ(TimerPixel(0, mid), Rgb(26, 135, 138));
    timerState.startTick = fake::state.tick - 600000 + 30500;  // 30.5 s left: k = 30, even
    RefreshReadouts();
    EXPECT_EQ(TimerPixel(0, 0), Yellow);
    timerState.startTick = fake::state.tick - 600000 + 31500;  // k = 31
    RefreshReadouts();
    EXPECT_EQ(TimerPixel(0, 0), Black);
    timerState.startTick = fake::state.tick - 600000 - 500;  // finished, k = 0
    RefreshReadouts();
    EXPECT_EQ(TimerPixel(0, 0), Red);
    timerState.startTick = fake::state.tick - 600000 - 1500;  // k = -1
    RefreshReadouts();
    EXPECT_EQ(TimerPixel(0, 0), Black);
}

}  // namespace
