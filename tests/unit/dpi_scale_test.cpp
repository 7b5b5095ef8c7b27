// The main window at the dots per inch of its monitor: started there, or
// moved there (the system's message that the dots per inch changed).
#include <gtest/gtest.h>

#include <map>

#include "app/Horavel_Main.h"
#include "app/main_window.h"
#include "app/monitors.h"
#include "app/timer_engine.h"
#include "display/alerts.h"
#include "display/dpi_scale.h"
#include "display/layout.h"
#include "platform/gadgets.h"
#include "platform/images.h"
#include "platform/window.h"
#include "settings/settings.h"
#include "tests/support/fake_alert_windows.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_screen.h"

using platform::Rect;

namespace {

TEST(ScaleToDpi, DesignPixelsTakenAtOtherDotsPerInchRoundToTheNearest) {
    struct Row {
        int pixels, dpi, expected;
    };
    const Row rows[] = {
        {14, 96, 14},  {14, 144, 21}, {12, 144, 18}, {12, 120, 15}, {1, 144, 2},    // 1.5: a half goes up
        {25, 144, 38}, {13, 120, 16}, {7, 72, 5},    {300, 192, 600}, {-10, 144, -15},
        {-25, 144, -38},  // below zero the half goes down, as above it goes up
        {0, 144, 0},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ScaleToDpi(r.pixels, r.dpi), r.expected) << r.pixels << " at " << r.dpi;
}

TEST(ArrangeTimerButtons, ThresholdsAndHeightsGrowWithTheDotsPerInch) {
    struct Row {
        int width, dpi;
        int advance, height;
    };
    const Row rows[] = {
        {55, 96, 48, 16},    // rows of two
        {55, 144, 144, 24},  // 55 <= 60: one column of six
        {93, 144, 72, 24},   // the default strip: rows of two, 24 high
        {300, 96, 20, 20},   // one row
        {300, 144, 48, 24},  // 300 < 390: two rows of three
        {400, 144, 30, 30},  // one row, 30 high
    };
    for (const Row& r : rows) {
        const ButtonArrangement a = ArrangeTimerButtons(1, 14, r.width, 1, r.dpi);
        EXPECT_EQ(a.advance, r.advance) << r.width << " at " << r.dpi;
        EXPECT_EQ(a.buttons[0].height, r.height) << r.width << " at " << r.dpi;
    }
}

class WindowDpi : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::ResetScreen();
        fake::ResetAlertWindows();
        settings = Settings{};
        mainLoop = MainLoopState{};
        timerState = TimerState{};
        layoutState = LayoutState{};
    }
    void TearDown() override {
        fake::ResetScreen();
        TakeWindowDpi(kDesignDpi);
    }

    void StartAt(int dpi) {
        fake::screen.dpi = dpi;
        ASSERT_TRUE(InitApplication());
    }

    // The system moved the window to a monitor of these dots per inch.
    void Move(int dpi) {
        fake::screen.dpi = dpi;
        fake::PushMessage(platform::msg::DpiChanged, static_cast<std::uintptr_t>(dpi));
        fake::state.idleLimit = 2;
        RunMainLoop();
    }

    static std::map<int, Rect> Chrome() {
        std::map<int, Rect> places;
        for (int g : {gadget::TopBar, gadget::BottomBar, gadget::Logo, gadget::Maximize, gadget::Close,
                      gadget::SettingsButton, gadget::Grip, gadget::StartPause, gadget::Preset5, gadget::TimerReadout})
            places[g] = platform::GadgetRect(g);
        return places;
    }
};

TEST_F(WindowDpi, StartedAt150PercentTheChromeIsHalfAsLargeAgain) {
    StartAt(144);
    const int W = platform::WindowInnerWidth(), H = platform::WindowInnerHeight();
    EXPECT_EQ(platform::FontDpi(), 144);
    EXPECT_EQ(platform::GadgetRect(gadget::TopBar), (Rect{0, 0, W, 21}));
    EXPECT_EQ(platform::GadgetRect(gadget::Logo), (Rect{0, 0, 21, 21}));
    EXPECT_EQ(platform::GadgetRect(gadget::Close), (Rect{W - 20, 2, 18, 18}));
    EXPECT_EQ(platform::GadgetRect(gadget::Maximize), (Rect{W - 38, 2, 18, 18}));
    EXPECT_EQ(platform::GadgetRect(gadget::SettingsButton), (Rect{3, H - 20, 18, 18}));
    EXPECT_EQ(platform::GadgetRect(gadget::BottomBar), (Rect{0, H - 21, W, 21}));
    EXPECT_EQ(platform::GadgetRect(gadget::StartPause).height, 24);
    // The pictures the gadgets show are as large as they.
    EXPECT_EQ(platform::ImageWidth(image::Close), 18);
    EXPECT_EQ(platform::ImageHeight(image::Settings + 2), 18);
    EXPECT_EQ(platform::ImageHeight(image::Logo), 21);
    EXPECT_EQ(platform::ImageHeight(image::Strip), 21);
}

TEST_F(WindowDpi, MovedToAnotherMonitorTheWindowStandsAsIfStartedThere) {
    StartAt(144);
    const std::map<int, Rect> started144 = Chrome();
    const float scale144 = fontScale;
    const platform::Colour closeCorner144 = fake::state.images[image::Close].pixels[0];

    SetUp();
    StartAt(96);
    const std::map<int, Rect> started96 = Chrome();
    const std::vector<platform::Colour> close96 = fake::state.images[image::Close].pixels;
    const float scale96 = fontScale;

    Move(144);
    EXPECT_EQ(Chrome(), started144);
    EXPECT_EQ(platform::FontDpi(), 144);
    EXPECT_FLOAT_EQ(fontScale, scale144);
    EXPECT_LT(fontScale, scale96);  // more pixels to the point
    EXPECT_EQ(fake::state.images[image::Close].pixels[0], closeCorner144);

    // And back: nothing of the pictures lost on the way.
    Move(96);
    EXPECT_EQ(Chrome(), started96);
    EXPECT_EQ(fake::state.images[image::Close].pixels, close96);
    EXPECT_FLOAT_EQ(fontScale, scale96);
}

TEST_F(WindowDpi, TheReadoutFontsKeepTheirPixelSize) {
    StartAt(96);
    const int points96 = fake::state.fonts[font::Text].points;
    Move(144);
    const int points144 = fake::state.fonts[font::Text].points;
    // The same window width per character: points at 144 give as many pixels as at 96.
    EXPECT_LT(points144, points96);
    EXPECT_NEAR(points144 * 144 / 72, points96 * 96 / 72, 2);
}

TEST_F(WindowDpi, AChangeDuringAMoveIsLaidOutWhenTheMoveEnds) {
    StartAt(96);
    mainLoop.inSizeMove = 1;
    fake::screen.dpi = 144;
    FollowDpiChange();
    EXPECT_EQ(platform::GadgetRect(gadget::TopBar).height, 14);
    mainLoop.inSizeMove = 0;
    LayoutReadouts(0);
    EXPECT_EQ(platform::GadgetRect(gadget::TopBar).height, 21);
    EXPECT_EQ(platform::FontDpi(), 144);
}

// A display change places the window anew and drops the events queued so far,
// a change of its dots per inch among them: the layout still takes them.
TEST_F(WindowDpi, ADisplayChangeThatDropsTheDpiMessageStillRescales) {
    StartAt(96);
    fake::screen.dpi = 144;
    fake::PushMessage(platform::msg::DpiChanged, 144);
    MainWindowCallback(platform::msg::DisplayChange, 0, 0);
    WatchMonitors(platform::TickCount());  // the main loop's next pass follows the change
    EXPECT_TRUE(fake::state.script.empty());
    EXPECT_EQ(platform::GadgetRect(gadget::TopBar).height, 21);
    EXPECT_EQ(platform::ImageWidth(image::Close), 18);
}

TEST_F(WindowDpi, ThePopupSignIsDrawnAtTheWindowsDotsPerInch) {
    std::map<int, fake::Image> signs;
    for (int dpi : {96, 192}) {
        SetUp();
        StartAt(dpi);
        AlertPopup(1);
        ASSERT_FALSE(fake::alertWindows.windows.empty());
        signs[dpi] = fake::alertWindows.windows.rbegin()->second.picture;
    }
    const fake::Image& small = signs[96];
    const fake::Image& large = signs[192];
    ASSERT_EQ(small.width, 300);
    ASSERT_EQ(small.height, 100);
    ASSERT_EQ(large.width, 600);
    ASSERT_EQ(large.height, 200);
    // Stripes, panel and frame stand where the small sign has them, twice as far
    // out: stripes drawn at the design's spacing would match about half the time.
    int samples = 0, same = 0;
    for (int y = 2; y < 98; y += 5) {
        for (int x = 2; x < 298; x += 7) {
            if (x > 60 && x < 240 && y > 30 && y < 70) continue;  // the text
            ++samples;
            const auto at = [](const fake::Image& im, int px, int py) {
                return im.pixels[static_cast<std::size_t>(py) * im.width + px];
            };
            if (at(small, x, y) == at(large, 2 * x, 2 * y)) ++same;
        }
    }
    EXPECT_GE(same * 100, samples * 95) << same << " of " << samples;
}

}  // namespace
