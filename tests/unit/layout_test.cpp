#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/placement.h"
#include "app/timer_engine.h"
#include "display/fonts.h"
#include "display/layout.h"
#include "platform/gadgets.h"
#include "platform/images.h"
#include "platform/window.h"
#include "settings/settings.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_screen.h"

using platform::Rect;

namespace {

Rect At(int g) { return platform::GadgetRect(g); }

TEST(ChooseColumns, WideWindowsWithClockAndTimerGetTwoColumns) {
    EXPECT_EQ(ChooseColumns(600, 150, 1, 1), 2);  // 75 < 600
    EXPECT_EQ(ChooseColumns(100, 400, 1, 1), 1);  // 200 >= 100
    EXPECT_EQ(ChooseColumns(100, 201, 1, 1), 1);  // 100 is not less than 100
    EXPECT_EQ(ChooseColumns(600, 150, 0, 1), 1);
    EXPECT_EQ(ChooseColumns(600, 150, 1, 0), 1);
}

TEST(ArrangeTimerButtons, NarrowBarStacksSixButtonsInOneColumn) {
    const ButtonArrangement a = ArrangeTimerButtons(1, 100, 35, 1);
    EXPECT_EQ(a.advance, 96);
    EXPECT_EQ(a.buttons[0], (Rect{1, 100, 33, 16}));
    EXPECT_EQ(a.buttons[5], (Rect{1, 180, 33, 16}));
}

TEST(ArrangeTimerButtons, FortyOnePixelsGiveThreeRowsOfTwo) {
    const ButtonArrangement a = ArrangeTimerButtons(1, 100, 41, 1);
    EXPECT_EQ(a.advance, 48);
    EXPECT_EQ(a.buttons[0], (Rect{1, 100, 19, 16}));  // start/pause
    EXPECT_EQ(a.buttons[1], (Rect{20, 100, 20, 16}));  // preset 1 takes the odd pixel
    EXPECT_EQ(a.buttons[4], (Rect{1, 132, 19, 16}));
    EXPECT_EQ(a.buttons[5], (Rect{20, 132, 20, 16}));
}

TEST(ArrangeTimerButtons, TwoColumnThresholdsApplyToAQuarterOfTheWidth) {
    ButtonArrangement a = ArrangeTimerButtons(500, 14, 1000, 2);  // 500 / 2 = 250 < 260
    EXPECT_EQ(a.advance, 32);
    EXPECT_EQ(a.buttons[0], (Rect{500, 14, 166, 16}));
    EXPECT_EQ(a.buttons[2], (Rect{832, 14, 167, 16}));
    EXPECT_EQ(a.buttons[3], (Rect{500, 30, 166, 16}));
    a = ArrangeTimerButtons(520, 14, 1040, 2);  // 520 / 2 = 260: one row
    EXPECT_EQ(a.advance, 20);
    EXPECT_EQ(a.buttons[0], (Rect{520, 14, 86, 20}));
    EXPECT_EQ(a.buttons[5], (Rect{950, 14, 89, 20}));
    a = ArrangeTimerButtons(1, 14, 299, 1);  // one column: 299 is not below 260 twice over
    EXPECT_EQ(a.advance, 20);
    a = ArrangeTimerButtons(1, 14, 150, 1);
    EXPECT_EQ(a.advance, 32);
    a = ArrangeTimerButtons(1, 14, 149, 1);
    EXPECT_EQ(a.advance, 48);
}

TEST(CostFont, TallTextIsScaledToATenthOfTheHeight) {
    const double request = CostFontRequest(1.2f, 400, 8);
    EXPECT_EQ(static_cast<int>(request), 57);
    const CostFont scaled = FitCostFont(request, 80, 300);
    EXPECT_EQ(scaled.points, 21);  // 30 / 80 of 57
    EXPECT_EQ(scaled.height, 30);
    const CostFont kept = FitCostFont(request, 30, 300);
    EXPECT_EQ(kept.points, 57);
    EXPECT_EQ(kept.height, 30);
}

TEST(FontPoints, FollowTheColumnWidthPerCharacter) {
    EXPECT_EQ(TimerFontPoints(1.2f, 300), 57);          // 1.2 * 300 * 0.95 / 6
    EXPECT_EQ(ClockFontPoints(1.2f, 300, 300, true), 68);   // / 5
    EXPECT_EQ(ClockFontPoints(1.2f, 300, 300, false), 44);  // * 0.98 / 8
    EXPECT_EQ(ClockFontPoints(1.2f, 100, 100, false), 17);  // / 7
    EXPECT_EQ(TenthsFontPoints(57), 45);
    EXPECT_EQ(TenthsFontPoints(9), 9);
    EXPECT_EQ(BreakFontPoints(1.2f, 1000, Break, false), 71);  // / 16
    EXPECT_EQ(BreakFontPoints(1.2f, 1000, Until, false), 45);  // / 25
    EXPECT_EQ(BreakFontPoints(1.2f, 1000, Until, true), 54);   // / 21
}

class LayoutTest : public ::testing::Test {
protected:
    void Open(int w, int h) {
        fake::OpenReadoutWindow(w, h);
        settings.ShowCostCounter = 1;
    }
};

TEST_F(LayoutTest, FontScaleIsMeasuredOnTheWindow) {
    Open(93, 1017);
    // The fake's characters are half as wide as high: 60 and 400 pixels for ten.
    EXPECT_FLOAT_EQ(fontScale, 500.0f / 340.0f);
}

TEST_F(LayoutTest, DockedBarStacksCostClockButtonsAndTimer) {
    Open(93, 1017);
    LayoutReadouts(0);
    EXPECT_EQ(layoutState.columns, 1);
    // "$5760" at Int(1.47 * 93 * 0.95 / 5) = 25 points, 33 pixels high.
    EXPECT_EQ(costRect, (Rect{1, 14, 91, 33}));
    EXPECT_EQ(clockRect, (Rect{1, 48, 91, 467}));
    EXPECT_EQ(At(gadget::StartPause), (Rect{1, 516, 45, 16}));
    EXPECT_EQ(At(gadget::Preset5), (Rect{46, 548, 46, 16}));
    EXPECT_EQ(timerRect, (Rect{1, 564, 91, 439}));
    EXPECT_EQ(timerHitRect.right, 92);
    EXPECT_EQ(timerHitRect.bottom, 1003);
    EXPECT_EQ(BarLength(), 439);
    EXPECT_EQ(At(gadget::TimerReadout), timerRect);
    EXPECT_EQ(platform::ImageWidth(image::TimerReadout), 91);
    EXPECT_EQ(platform::ImageHeight(image::TimerReadout), 439);
    EXPECT_EQ(platform::ImageWidth(image::Strip), 93);
    EXPECT_EQ(At(gadget::TopBar), (Rect{0, 0, 93, 14}));
    EXPECT_EQ(At(gadget::Maximize).x, 68);
    EXPECT_EQ(At(gadget::Close).x, 80);
    EXPECT_EQ(At(gadget::BottomBar), (Rect{0, 1003, 93, 14}));
    EXPECT_EQ(At(gadget::SettingsButton), (Rect{2, 1004, 12, 12}));
    EXPECT_EQ(At(gadget::Grip), (Rect{79, 1003, 14, 14}));
}

TEST_F(LayoutTest, WideWindowPutsTheTimerInTheRightColumnAndLimitsTheCostStrip) {
    Open(600, 150);
    LayoutReadouts(0);
    EXPECT_EQ(layoutState.columns, 2);
    EXPECT_DOUBLE_EQ(ColumnWidth(), 300.0);
    // 83 points would be 110 pixels: cut to a tenth of 150 and scaled to 11 points.
    EXPECT_EQ(costRect, (Rect{1, 14, 298, 15}));
    EXPECT_EQ(fake::state.fonts.at(font::Cost).points, 11);
    EXPECT_EQ(clockRect, (Rect{1, 30, 298, 106}));
    EXPECT_EQ(At(gadget::StartPause), (Rect{300, 14, 99, 16}));
    EXPECT_EQ(timerRect, (Rect{300, 46, 299, 90}));
}

TEST_F(LayoutTest, TimerAloneTakesTheFullWidth) {
    Open(600, 150);
    settings.ShowCostCounter = 0;
    settings.ShowMeetingClock = 0;
    LayoutReadouts(0);
    EXPECT_EQ(layoutState.columns, 1);
    EXPECT_EQ(At(gadget::StartPause), (Rect{1, 14, 99, 20}));
    EXPECT_EQ(timerRect, (Rect{1, 34, 598, 102}));
    EXPECT_EQ(At(gadget::CostReadout).x, 600);
    EXPECT_EQ(At(gadget::ClockReadout).x, 600);
}

TEST_F(LayoutTest, HiddenTimerGivesUpItsButtonsAndReadout) {
    Open(100, 400);
    settings.ShowTimer = 0;
    LayoutReadouts(0);
    EXPECT_EQ(clockRect.height, 400 - 51 - 14);  // all the height below the cost strip
    EXPECT_EQ(At(gadget::StartPause), (Rect{0, 0, 0, 0}));
    EXPECT_EQ(At(gadget::TimerReadout), (Rect{100, 400, 0, 0}));
}

TEST_F(LayoutTest, NarrowWindowLosesTheMaximizeButtonButKeepsClose) {
    Open(35, 400);
    LayoutReadouts(0);
    EXPECT_EQ(At(gadget::Maximize).x, -25);
    EXPECT_EQ(At(gadget::Close).x, 22);
    EXPECT_EQ(At(gadget::StartPause).width, 33);
    EXPECT_EQ(At(gadget::Preset5).y - At(gadget::StartPause).y, 80);  // six rows of 16
}

TEST_F(LayoutTest, SystemBorderDropsTheTitleStripAndTheGrip) {
    Open(100, 400);
    settings.ShowWinBorder = 1;
    LayoutReadouts(0);
    EXPECT_EQ(At(gadget::TopBar), (Rect{-25, -25, 0, 0}));
    EXPECT_EQ(At(gadget::Logo).x, -25);
    EXPECT_EQ(At(gadget::Close).x, -25);
    EXPECT_EQ(costRect.y, 1);
    EXPECT_EQ(At(gadget::BottomBar), (Rect{0, 386, 100, 14}));
    EXPECT_EQ(At(gadget::SettingsButton).y, 387);
    EXPECT_EQ(At(gadget::Grip).x, -25);
}

TEST_F(LayoutTest, MaximizedWindowHasNoGripAndIsNeitherOnTopNorTransparent) {
    Open(100, 400);
    platform::SetWindowState(platform::WindowState::Maximized);
    windowMetrics.lastOnTop = 0;
    windowMetrics.lastTransparent = 0;
    LayoutReadouts(0);
    EXPECT_EQ(At(gadget::Grip).x, -25);
    EXPECT_EQ(fake::screen.topMost, 0);
    EXPECT_EQ(fake::screen.opacity, 255);
    EXPECT_EQ(layoutState.relayoutRequested, 0);
}

TEST_F(LayoutTest, UnchangedSecondLayoutRedrawsNothing) {
    Open(100, 400);
    LayoutReadouts(0);
    const int shown = fake::state.gadgets.at(gadget::TimerReadout).imageChanges;
    EXPECT_GT(shown, 0);
    LayoutReadouts(0);
    EXPECT_EQ(fake::state.gadgets.at(gadget::TimerReadout).imageChanges, shown);
    layoutState.relayoutRequested = 1;
    LayoutReadouts(0);
    EXPECT_GT(fake::state.gadgets.at(gadget::TimerReadout).imageChanges, shown);
    platform::MoveMainWindow(0, 0, 120, 400);
    const int before = fake::state.gadgets.at(gadget::TimerReadout).imageChanges;
    LayoutReadouts(0);
    EXPECT_GT(fake::state.gadgets.at(gadget::TimerReadout).imageChanges, before);
    EXPECT_EQ(layoutState.lastClientWidth, 120);
}

TEST_F(LayoutTest, MovingHidesEverythingButTheLogoAndLaysNothingOut) {
    Open(100, 400);
    LayoutReadouts(1);
    for (const auto& [g, gadget] : fake::state.gadgets) EXPECT_EQ(gadget.visible, g == gadget::Logo) << g;
    EXPECT_EQ(layoutState.lastClientWidth, 0);
    EXPECT_EQ(layoutState.relayoutRequested, 1);
    LayoutReadouts(0);
    for (const auto& [g, gadget] : fake::state.gadgets) EXPECT_TRUE(gadget.visible) << g;
    EXPECT_EQ(layoutState.lastClientWidth, 100);
}

TEST_F(LayoutTest, BreakShowsOnlyTheTimerAcrossTheWindow) {
    Open(600, 150);  // two columns before the break
    LayoutReadouts(0);
    timerState.mode = Break;
    layoutState.relayoutRequested = 1;
    LayoutReadouts(0);
    EXPECT_EQ(layoutState.columns, 1);
    EXPECT_EQ(At(gadget::StartPause), (Rect{199, 14, 200, 20}));
    EXPECT_EQ(timerRect, (Rect{1, 34, 598, 102}));
    EXPECT_EQ(At(gadget::Preset1), (Rect{0, 0, 0, 0}));
    EXPECT_EQ(At(gadget::CostReadout).x, 600);
    EXPECT_EQ(At(gadget::ClockReadout).x, 600);
}

TEST_F(LayoutTest, WindowTooSmallForTheReadoutsGivesEmptyOnes) {
    Open(20, 44);
    LayoutReadouts(0);
    EXPECT_EQ(timerRect.height, 0);
    EXPECT_EQ(clockRect.height, 0);
    EXPECT_EQ(BarLength(), 0);
    // The images keep a drawable size; nothing absurd is allocated.
    EXPECT_GT(platform::ImageHeight(image::TimerReadout), 0);
    EXPECT_LE(platform::ImageHeight(image::TimerReadout), 200);
    platform::MoveMainWindow(0, 0, 0, 0);
    LayoutReadouts(0);
    EXPECT_EQ(timerRect.width, 0);
}

}  // namespace
