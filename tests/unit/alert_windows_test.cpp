// The screen flash and the popup sign over the fake windows.
#include "display/alerts.h"
#include "lang/messages.h"
#include "tests/support/fake_alert_windows.h"
#include "tests/support/fake_screen.h"
#include "tests/unit/timer_fixture.h"

namespace {

using platform::Rgb;
using Calls = std::vector<std::string>;

Calls Repeat3(const Calls& part) {
    Calls all;
    for (int i = 0; i < 3; ++i) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Calls Around(const std::string& open, const Calls& middle) {
    Calls all{open};
    all.insert(all.end(), middle.begin(), middle.end());
    all.push_back("Close");
    return all;
}

const Calls FlashCalls = Around("OpenFlash", Repeat3({"ShowFlash 0", "Wait 100", "ShowFlash 1", "Wait 100"}));
const Calls PopupCalls = Around("OpenPopup", Repeat3({"Animate open 100", "Wait 100", "Animate close 300"}));

class AlertWindows : public TimerTest {
protected:
    void SetUp() override {
        TimerTest::SetUp();
        fake::ResetAlertWindows();
        fake::ResetScreen();
        LoadLanguage("English");
        SetCountDown(60000);  // 250 ms a refresh
        TimerTick();
        fake::alertWindows.calls.clear();
    }
    static const fake::AlertWindowRecord& Last() { return fake::alertWindows.windows.rbegin()->second; }
    static platform::Colour SignPixel(int x, int y) {
        const fake::Image& sign = Last().picture;
        return sign.pixels.at(static_cast<std::size_t>(y) * sign.width + x);
    }
};

}  // namespace

TEST_F(AlertWindows, FlashTintsThreeTimesStartingWithAGapAndKeepsTheReadoutsAlive) {
    for (const auto& [refreshMs, refreshes] : {std::pair{250, 6}, std::pair{1000, 0}}) {
        fake::alertWindows.calls.clear();
        timerState.refreshMs = refreshMs;
        const int before = fake::screen.activations;  // each readout refresh activates the main window
        ScreenFlash(1);
        EXPECT_EQ(fake::alertWindows.calls, FlashCalls);
        EXPECT_EQ(fake::screen.activations - before, refreshes) << refreshMs;
        EXPECT_EQ(timerState.alertBusy, 0);
    }
    EXPECT_EQ(Last().colour, Rgb(255, 255, 0));
    EXPECT_EQ(Last().opacity, 180);
    EXPECT_TRUE(Last().closed);
    ScreenFlash(0);
    EXPECT_EQ(Last().colour, Rgb(255, 0, 0));
}

TEST_F(AlertWindows, NestedRefreshesStartNoFurtherAlert) {
    settings.WarningFlash = settings.WarningPopup = 1;
    settings.WarningTime = -30;
    ApplyWarningTime();
    Advance(35000);  // the warning is due at the next refresh
    ScreenFlash(0);
    EXPECT_EQ(timerState.warningFired, 1);  // taken by a nested refresh, which started nothing
    EXPECT_EQ(fake::alertWindows.calls, FlashCalls);
}

TEST_F(AlertWindows, WindowsThatCannotBeCreatedShowNothing) {
    fake::alertWindows.failOpen = true;
    ScreenFlash(1);
    AlertPopup(1);
    EXPECT_EQ(fake::alertWindows.calls, (Calls{"OpenFlash", "OpenPopup"}));
    EXPECT_TRUE(fake::alertWindows.detached.empty());  // the sign went with the window
    EXPECT_EQ(timerState.alertBusy, 0);
}

TEST_F(AlertWindows, PopupDrawsTheSignAndOpensItThreeTimes) {
    const int before = fake::screen.activations;
    AlertPopup(1);
    EXPECT_EQ(fake::alertWindows.calls, PopupCalls);
    EXPECT_EQ(fake::screen.activations - before, 6);
    EXPECT_EQ(timerState.alertBusy, 0);
    EXPECT_EQ(Last().picture.width, 300);
    EXPECT_EQ(Last().picture.height, 100);
    // Stripes along x + y = 10 (mod 20), the outline, the calm panel and the
    // white "WARNING" centred on it (the fake's 18-point characters are 12 x 24).
    const std::tuple<int, int, platform::Colour> table[] = {
        {5, 5, Rgb(255, 255, 0)},   {10, 10, Rgb(0, 0, 0)},       {100, 10, Rgb(255, 255, 0)},
        {0, 10, Rgb(0, 0, 0)},      {299, 11, Rgb(0, 0, 0)},      {290, 80, Rgb(255, 255, 0)},
        {30, 30, Rgb(0, 0, 0)},     {105, 50, Rgb(0, 0, 0)},      {108, 38, Rgb(255, 255, 255)},
        {190, 61, Rgb(255, 255, 255)}, {191, 61, Rgb(0, 0, 0)}, {190, 62, Rgb(0, 0, 0)}};
    for (const auto& [x, y, colour] : table) EXPECT_EQ(SignPixel(x, y), colour) << x << "," << y;
    EXPECT_FALSE(platform::ImageExists(60));
    EXPECT_FALSE(fake::state.fonts.count(20));
}

TEST_F(AlertWindows, PreviewRunsOnItsOwnThreadAndLeavesTheTimerAlone) {
    const int before = fake::screen.activations;
    timerState.alertBusy = 0;
    PreviewAlertPopup(0);
    WaitForAlertPreview();
    EXPECT_EQ(fake::alertWindows.calls, PopupCalls);
    EXPECT_EQ(fake::screen.activations, before);
    EXPECT_EQ(SignPixel(5, 5), Rgb(255, 255, 255));
    EXPECT_EQ(SignPixel(10, 10), Rgb(255, 0, 0));
    EXPECT_EQ(SignPixel(150, 50), Rgb(255, 255, 255));  // "FINISHED"
}
