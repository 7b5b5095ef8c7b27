#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "app/placement.h"
#include "display/layout.h"
#include "settings/settings.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_screen.h"

namespace {

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::ResetScreen();
        settings = Settings{};
        ResetSettings();
        windowMetrics = WindowMetrics{};
    }
    // L, T, W, H as PlaceWindow leaves them.
    std::array<int, 4> Placed() {
        return {settings.StartupWinPosnLeft, settings.StartupWinPosnTop, settings.StartupWinPosnRight,
                settings.StartupWinPosnBottom};
    }
};

using Rect4 = std::array<int, 4>;

TEST_F(PlacementTest, DefaultsDockANarrowBarRightOfA1080pScreenAboveTheTaskbar) {
    MeasureScreen();
    EXPECT_EQ(windowMetrics.frameTop, 0);
    EXPECT_EQ(windowMetrics.minWidth, 25);
    EXPECT_EQ(windowMetrics.minHeight, 150);
    EXPECT_FALSE(PlaceWindow());
    EXPECT_EQ(Placed(), (Rect4{1827, 23, 93, 1017}));
}

TEST_F(PlacementTest, FramedWindowMeasuresTheSystemFrame) {
    settings.ShowWinBorder = 1;
    MeasureScreen();
    EXPECT_EQ(windowMetrics.frameLeft, 8);
    EXPECT_EQ(windowMetrics.frameRight, 8);
    EXPECT_EQ(windowMetrics.frameBottom, 8);
    EXPECT_EQ(windowMetrics.frameTop, 31);
    EXPECT_EQ(windowMetrics.minWidth, 120);  // 136 - 8 - 8
    fake::screen.minimumWindowWidth = 30;
    MeasureScreen();
    EXPECT_EQ(windowMetrics.minWidth, 25);
    EXPECT_FALSE(PlaceWindow());
    // W = minWidth; H = 1080 - 23 - 8 - 31 - 40; L = 1920 - 25 - 16; T = 1080 - H - 39 - 40.
    EXPECT_EQ(Placed(), (Rect4{1879, 23, 25, 978}));
}

TEST_F(PlacementTest, CaptionHeightFallsBackTo24AndAMissingTaskbarIsA75PixelBand) {
    fake::screen.captionHeight = 0;
    fake::screen.taskbar.reset();
    MeasureScreen();
    EXPECT_EQ(windowMetrics.captionHeight, 24);
    EXPECT_EQ(windowMetrics.taskbarLeft, 0);
    EXPECT_EQ(windowMetrics.taskbarTop, 1005);
    EXPECT_EQ(windowMetrics.taskbarRight, 1920);
    EXPECT_EQ(windowMetrics.taskbarBottom, 1080);
}

TEST_F(PlacementTest, TaskbarRectangleIsClippedToTheScreen) {
    fake::screen.taskbar = platform::Rect{-2, 1038, 1924, 44};
    MeasureScreen();
    EXPECT_EQ(windowMetrics.taskbarLeft, 0);
    EXPECT_EQ(windowMetrics.taskbarTop, 1038);
    EXPECT_EQ(windowMetrics.taskbarRight, 1920);
    EXPECT_EQ(windowMetrics.taskbarBottom, 1080);
    EXPECT_FALSE(PlaceWindow());
    EXPECT_EQ(Placed(), (Rect4{1827, 23, 93, 1015}));  // a horizontal bar 42 high
}

TEST_F(PlacementTest, LeftSideSitsFlushAgainstALeftTaskbar) {
    fake::screen.taskbar = platform::Rect{0, 0, 62, 1080};
    settings.StartupLocation = 2;
    MeasureScreen();
    EXPECT_FALSE(PlaceWindow());
    // A vertical taskbar takes nothing off the height.
    EXPECT_EQ(Placed(), (Rect4{62, 23, 93, 1057}));
    settings.StartupLocation = 3;
    EXPECT_FALSE(PlaceWindow());
    EXPECT_EQ(Placed()[0], 1827);  // the taskbar is on the other side
}

TEST_F(PlacementTest, RightSideStopsAtARightTaskbar) {
    fake::screen.taskbar = platform::Rect{1858, 0, 62, 1080};
    MeasureScreen();
    EXPECT_FALSE(PlaceWindow());
    EXPECT_EQ(Placed(), (Rect4{1765, 23, 93, 1057}));
    settings.StartupLocation = 2;
    EXPECT_FALSE(PlaceWindow());
    EXPECT_EQ(Placed()[0], 0);
}

TEST_F(PlacementTest, TopTaskbarLeavesTheWindowOneCaptionBelowIt) {
    fake::screen.taskbar = platform::Rect{0, 0, 1920, 40};
    MeasureScreen();
    EXPECT_FALSE(PlaceWindow());
    EXPECT_EQ(Placed(), (Rect4{1827, 63, 93, 1017}));
}

TEST_F(PlacementTest, PartialHeightsAreCentredAndSmallScreensGet50PixelBars) {
    fake::state.screenWidth = 1024;
    fake::state.screenHeight = 768;
    fake::screen.taskbar = platform::Rect{0, 728, 1024, 40};
    MeasureScreen();
    settings.StartupHeight = 1;
    EXPECT_FALSE(PlaceWindow());
    EXPECT_EQ(Placed(), (Rect4{974, 96, 50, 576}));
    settings.StartupHeight = 2;
    PlaceWindow();
    EXPECT_EQ(Placed(), (Rect4{974, 192, 50, 384}));
    settings.StartupHeight = 3;
    PlaceWindow();
    EXPECT_EQ(Placed(), (Rect4{974, 256, 50, 256}));
    settings.StartupHeight = 9;  // unknown: the height stays
    PlaceWindow();
    EXPECT_EQ(Placed(), (Rect4{974, 256, 50, 256}));
}

TEST_F(PlacementTest, MaximizedLocationRemembersAWindowInsideTheScreen) {
    MeasureScreen();
    settings.StartupLocation = 1;
    EXPECT_TRUE(PlaceWindow());
    EXPECT_EQ(Placed(), (Rect4{150, 100, 1620, 880}));
}

TEST_F(PlacementTest, RememberedWindowCoveringTheScreenOpensMaximized) {
    MeasureScreen();
    settings.StartupLocation = 0;
    settings.StartupWinPosnLeft = 3;
    settings.StartupWinPosnTop = 4;
    settings.StartupWinPosnRight = 2000;
    settings.StartupWinPosnBottom = 1200;
    EXPECT_TRUE(PlaceWindow());
    EXPECT_EQ(Placed(), (Rect4{150, 100, 1620, 880}));
}

TEST_F(PlacementTest, RememberedWindowIsPulledBackOntoTheScreen) {
    MeasureScreen();
    settings.StartupLocation = 0;
    // Larger than the screen without covering it: pulled back to the left and
    // top edges, then no larger than the screen above the taskbar.
    settings.StartupWinPosnLeft = 100;
    settings.StartupWinPosnTop = 50;
    settings.StartupWinPosnRight = 2000;
    settings.StartupWinPosnBottom = 1200;
    EXPECT_FALSE(PlaceWindow());
    EXPECT_EQ(Placed(), (Rect4{0, 0, 1920, 1040}));

    // Half of it over the left edge: pulled back.
    settings.StartupWinPosnLeft = -100;
    settings.StartupWinPosnTop = 50;
    settings.StartupWinPosnRight = 200;
    settings.StartupWinPosnBottom = 400;
    EXPECT_FALSE(PlaceWindow());
    EXPECT_EQ(Placed(), (Rect4{0, 50, 200, 400}));

    // Up to five pixels over the right and bottom edges is left alone; more is pulled back.
    settings.StartupWinPosnLeft = 1725;
    settings.StartupWinPosnTop = 685;
    EXPECT_FALSE(PlaceWindow());
    EXPECT_EQ(Placed(), (Rect4{1725, 685, 200, 400}));
    settings.StartupWinPosnLeft = 1726;
    settings.StartupWinPosnTop = 686;
    EXPECT_FALSE(PlaceWindow());
    EXPECT_EQ(Placed(), (Rect4{1720, 680, 200, 400}));
}

TEST_F(PlacementTest, ExtremeRememberedRectanglesOpenOnTheScreen) {
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    // Docked at the right edge as StartupLocation 3 places it, without and with a border.
    const Rect4 docked[] = {{1827, 23, 93, 1017}, {1784, 23, 120, 978}};
    const Rect4 maximized = {150, 100, 1620, 880};
    struct Row {
        const char* what;
        Rect4 remembered;
        bool dock;
        Rect4 placed;  // when not docked
        bool maximized;
    } rows[] = {
        {"covers the screen", {0, 0, kMax, kMax}, false, maximized, true},
        {"narrowest and tallest", {100, 100, kMin, kMax}, false, {100, 0, 0, 0}, false},
        {"off the left edge", {-500, 100, 200, 400}, true, {}, false},
        {"off the right edge", {1920, 100, 200, 400}, true, {}, false},
        {"off the top edge", {100, -500, 200, 400}, true, {}, false},
        {"off the bottom edge", {100, 1080, 200, 400}, true, {}, false},
        {"mostly off the right edge", {1800, 100, 400, 400}, true, {}, false},
        {"0 x 0", {100, 100, 0, 0}, false, {100, 100, 0, 0}, false},
        {"negative sizes", {100, 100, -50, -60}, false, {100, 100, 0, 0}, false},
        {"far right, as wide as can be", {kMax, 0, kMax, 400}, true, {}, false},
        {"far left, as wide as can be", {kMin, 0, kMax, 400}, true, {}, false},
    };
    for (int border : {0, 1}) {
        settings.ShowWinBorder = border;
        MeasureScreen();
        const WindowMetrics& m = windowMetrics;
        // The tallest inner size: the screen above the 40-pixel taskbar, less the frame.
        const int maxH = 1040 - m.frameTop - m.frameBottom;
        for (const Row& r : rows) {
            SCOPED_TRACE(::testing::Message() << r.what << ", border " << border);
            settings.StartupLocation = 0;
            std::tie(settings.StartupWinPosnLeft, settings.StartupWinPosnTop, settings.StartupWinPosnRight,
                     settings.StartupWinPosnBottom) = std::tuple_cat(r.remembered);
            EXPECT_EQ(PlaceWindow(), r.maximized);
            Rect4 want = r.dock ? docked[border] : r.placed;
            if (!r.dock && !r.maximized) {
                // 0 stands for the minimum size; the tallest window is as tall as the free screen.
                if (want[2] == 0) want[2] = m.minWidth;
                if (want[3] == 0) want[3] = r.remembered[3] == kMax ? maxH : m.minHeight;
            }
            EXPECT_EQ(Placed(), want);
        }
    }
}

TEST_F(PlacementTest, EveryCornerOfThe32BitRangeDocksAtTheRightEdge) {
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    MeasureScreen();
    for (int left : {kMin, kMax})
        for (int top : {kMin, kMax})
            for (int width : {kMin, kMax})
                for (int height : {kMin, kMax}) {
                    SCOPED_TRACE(::testing::Message() << left << "," << top << " " << width << "x" << height);
                    settings.StartupLocation = 0;
                    settings.StartupWinPosnLeft = left;
                    settings.StartupWinPosnTop = top;
                    settings.StartupWinPosnRight = width;
                    settings.StartupWinPosnBottom = height;
                    EXPECT_FALSE(PlaceWindow());
                    EXPECT_EQ(Placed(), (Rect4{1827, 23, 93, 1017}));
                }
}

TEST_F(PlacementTest, DockedWindowOfAnUnknownHeightIsNoTallerThanTheFreeScreen) {
    MeasureScreen();
    settings.StartupLocation = 3;
    settings.StartupHeight = 9;
    for (int height : {std::numeric_limits<int>::max(), 5000, -20}) {
        settings.StartupWinPosnBottom = height;
        EXPECT_FALSE(PlaceWindow());
        const int h = height < 0 ? 150 : 1040;
        EXPECT_EQ(Placed(), (Rect4{1827, (1080 - h) / 2, 93, h})) << height;
    }
}

TEST_F(PlacementTest, RememberedWindowGrowsToTheMinimumSize) {
    settings.ShowWinBorder = 1;
    MeasureScreen();
    settings.StartupLocation = 0;
    settings.StartupWinPosnLeft = 1800;
    settings.StartupWinPosnTop = 10;
    settings.StartupWinPosnRight = 10;
    settings.StartupWinPosnBottom = 20;
    EXPECT_FALSE(PlaceWindow());
    // 120 x 150, and then pulled back left by its frame too: 1920 - 120 - 16.
    EXPECT_EQ(Placed(), (Rect4{1784, 10, 120, 150}));
}

class WindowModesTest : public PlacementTest {
protected:
    void SetUp() override {
        PlacementTest::SetUp();
        settings.AlwaysOnTop = 1;
        settings.Transparent = 1;
        // As the start-up primes them: the opposite of the settings, no state yet.
        windowMetrics.lastOnTop = 0;
        windowMetrics.lastTransparent = 0;
        windowMetrics.lastState = -1;
    }
};

TEST_F(WindowModesTest, MaximizedWindowDropsOnTopAndTransparencyAndGetsThemBack) {
    layoutState.relayoutRequested = 1;
    ApplyWindowModes(platform::WindowState::Normal);
    EXPECT_EQ(fake::screen.calls, (std::vector<std::string>{"TopMost 1", "Opacity 180"}));
    EXPECT_EQ(layoutState.relayoutRequested, 0);

    fake::screen.calls.clear();
    ApplyWindowModes(platform::WindowState::Normal);  // nothing changed: nothing done
    EXPECT_TRUE(fake::screen.calls.empty());

    ApplyWindowModes(platform::WindowState::Maximized);
    EXPECT_EQ(fake::screen.calls, (std::vector<std::string>{"TopMost 0", "AppStyle 1", "Opacity 255"}));
    EXPECT_EQ(windowMetrics.lastOnTop, 0);
    EXPECT_EQ(windowMetrics.lastTransparent, 0);
    EXPECT_EQ(windowMetrics.lastState, 1);

    fake::screen.calls.clear();
    ApplyWindowModes(platform::WindowState::Normal);
    EXPECT_EQ(fake::screen.calls, (std::vector<std::string>{"TopMost 1", "Opacity 180"}));
    EXPECT_EQ(fake::screen.topMost, 1);
    EXPECT_EQ(fake::screen.opacity, 180);
}

TEST_F(WindowModesTest, TurningTheModesOffIsAppliedOnceInTheNormalState) {
    ApplyWindowModes(platform::WindowState::Normal);
    settings.AlwaysOnTop = 0;
    settings.Transparent = 0;
    fake::screen.calls.clear();
    ApplyWindowModes(platform::WindowState::Normal);
    EXPECT_EQ(fake::screen.calls, (std::vector<std::string>{"TopMost 0", "AppStyle 1", "Opacity 255"}));
    fake::screen.calls.clear();
    ApplyWindowModes(platform::WindowState::Normal);
    EXPECT_TRUE(fake::screen.calls.empty());
}

}  // namespace
