#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/monitor_choice.h"
#include "app/monitors.h"
#include "app/placement.h"
#include "app/timer_engine.h"
#include "display/alerts.h"
#include "settings/settings.h"
#include "tests/support/fake_alert_windows.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_screen.h"

namespace {

using platform::MonitorInfo;
using platform::Rect;
using Rect4 = std::array<int, 4>;

// The primary monitor of every layout: 1920 x 1080 with a 40-pixel taskbar at the bottom.
const MonitorInfo kPrimary = fake::Monitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true);
// A 1280 x 720 monitor right of it, without a taskbar.
const MonitorInfo kRight = fake::Monitor("\\\\.\\DISPLAY2", {1920, 0, 1280, 720}, {1920, 0, 1280, 720});

class Monitors : public ::testing::Test {
protected:
    void SetUp() override {
        fake::OpenReadoutWindow(93, 1017);
        fake::alertWindows = fake::AlertWindowsState{};
    }

    static void Choose(const MonitorInfo& m) {
        settings.Monitor = m.device;
        settings.MonitorRect = MonitorRectText(m.bounds);
    }
    static void ChooseBreak(const MonitorInfo& m) {
        settings.BreakMonitor = m.device;
        settings.BreakMonitorRect = MonitorRectText(m.bounds);
    }
    // What the start-up does: measure, place, open there.
    static void Start() {
        MeasureScreen();
        const bool maximized = PlaceWindow();
        platform::MoveMainWindow(settings.StartupWinPosnLeft, settings.StartupWinPosnTop,
                                 settings.StartupWinPosnRight, settings.StartupWinPosnBottom);
        if (maximized) platform::SetWindowState(platform::WindowState::Maximized);
    }
    static Rect4 Window() {
        return {fake::state.window.x, fake::state.window.y, fake::state.window.innerWidth,
                fake::state.window.innerHeight};
    }
    static Rect4 Fields() {
        return {settings.StartupWinPosnLeft, settings.StartupWinPosnTop, settings.StartupWinPosnRight,
                settings.StartupWinPosnBottom};
    }
    // Lets the main loop's watch see the monitors after its interval.
    static void Watch() {
        fake::state.tick += 2000;
        WatchMonitors(fake::state.tick);
    }
};

struct LayoutCase {
    const char* name;
    std::vector<MonitorInfo> monitors;
    int chosen;  // entry of monitors, -1 for none (the primary)
    int location, height;
    Rect4 placed;  // left, top, inner width and height
};

TEST_F(Monitors, DocksOnTheChosenMonitorsWorkAreaInEveryLayout) {
    const MonitorInfo stacked =
        fake::Monitor("\\\\.\\DISPLAY2", {0, 1080, 1920, 1080}, {0, 1120, 1920, 1040});  // taskbar at its top
    const MonitorInfo leftOfPrimary =
        fake::Monitor("\\\\.\\DISPLAY3", {-1600, 0, 1600, 900}, {-1540, 0, 1540, 900});  // taskbar at its left
    const MonitorInfo rightBar =
        fake::Monitor("\\\\.\\DISPLAY2", {1920, -200, 1280, 1024}, {1920, -200, 1220, 1024});  // taskbar at its right
    const MonitorInfo small = fake::Monitor("\\\\.\\DISPLAY2", {1920, 0, 800, 600}, {1920, 0, 800, 560});
    const LayoutCase cases[] = {
        // 1280 wide: a bar of 1280 * 50 / 1024 = 62; no taskbar, so the whole height less a title bar.
        {"side by side, right edge", {kPrimary, kRight}, 1, 3, 0, {3138, 23, 62, 697}},
        {"side by side, left edge", {kPrimary, kRight}, 1, 2, 0, {1920, 23, 62, 697}},
        {"side by side, half height centred", {kPrimary, kRight}, 1, 3, 2, {3138, 180, 62, 360}},
        {"nothing chosen: the primary", {kPrimary, kRight}, -1, 3, 0, {1827, 23, 93, 1017}},
        {"the primary chosen by name", {kPrimary, kRight}, 0, 3, 0, {1827, 23, 93, 1017}},
        {"stacked below, taskbar on top", {kPrimary, stacked}, 1, 3, 0, {1827, 1143, 93, 1017}},
        {"left of the primary, taskbar at the left", {leftOfPrimary, kPrimary}, 0, 2, 0, {-1540, 23, 78, 877}},
        {"left of the primary, right edge", {leftOfPrimary, kPrimary}, 0, 3, 0, {-78, 23, 78, 877}},
        {"above and right, taskbar at the right", {kPrimary, rightBar}, 1, 3, 0, {3078, -177, 62, 1001}},
        {"a small monitor, taskbar at the bottom", {kPrimary, small}, 1, 3, 0, {2670, 23, 50, 537}},
        {"primary listed last", {kRight, kPrimary}, 0, 3, 0, {3138, 23, 62, 697}},
    };
    for (const LayoutCase& c : cases) {
        fake::OpenReadoutWindow(93, 1017);
        fake::SetMonitors(c.monitors);
        if (c.chosen >= 0) Choose(c.monitors[c.chosen]);
        settings.StartupLocation = c.location;
        settings.StartupHeight = c.height;
        MeasureScreen();
        EXPECT_FALSE(PlaceWindow()) << c.name;
        EXPECT_EQ(Fields(), c.placed) << c.name;
    }
}

TEST_F(Monitors, FullScreenAndRememberedPlacesStayOnTheChosenMonitor) {
    const MonitorInfo left = fake::Monitor("\\\\.\\DISPLAY2", {-1600, -100, 1600, 900}, {-1600, -100, 1600, 860});
    fake::SetMonitors({kPrimary, left});
    Choose(left);
    settings.StartupLocation = 1;
    MeasureScreen();
    EXPECT_TRUE(PlaceWindow());
    EXPECT_EQ(Fields(), (Rect4{-1450, 0, 1300, 700}));  // 150 and 100 in, from the monitor's corner
    Start();
    EXPECT_EQ(Window(), (Rect4{-1600, -100, 1600, 900}));  // maximized on that monitor

    struct {
        Rect4 remembered, placed;
    } const remembered[] = {
        {{-1000, 200, 100, 400}, {-1000, 200, 100, 400}},  // on it: stays
        {{-1620, -120, 100, 400}, {-1600, -100, 100, 400}},  // over its top-left corner: pulled in
        {{-60, 450, 100, 400}, {-100, 400, 100, 400}},  // over its right and bottom edges: pulled back
        {{-1603, -104, 1602, 903}, {-1450, 0, 1300, 700}},  // covers it: full screen
    };
    for (const auto& r : remembered) {
        settings.StartupLocation = 0;
        settings.StartupWinPosnLeft = r.remembered[0];
        settings.StartupWinPosnTop = r.remembered[1];
        settings.StartupWinPosnRight = r.remembered[2];
        settings.StartupWinPosnBottom = r.remembered[3];
        MeasureScreen();
        PlaceWindow();
        EXPECT_EQ(Fields(), r.placed) << r.remembered[0] << "," << r.remembered[1];
    }
}

TEST_F(Monitors, RememberedPlaceNoMonitorShowsDocksOnThePrimary) {
    fake::SetMonitors({kPrimary, kRight});
    settings.StartupLocation = 0;
    settings.StartupWinPosnLeft = 3300;  // right of every monitor
    settings.StartupWinPosnTop = 100;
    Start();
    EXPECT_EQ(Window(), (Rect4{1827, 23, 93, 1017}));
}

TEST_F(Monitors, MissingChosenMonitorOpensOnThePrimaryAndItsReturnBringsTheStripBack) {
    fake::SetMonitors({kPrimary});
    Choose(kRight);
    Start();
    EXPECT_EQ(Window(), (Rect4{1827, 23, 93, 1017}));
    EXPECT_EQ(monitorState.displaced, 1);

    fake::SetMonitors({kPrimary, kRight});
    Watch();
    EXPECT_EQ(Window(), (Rect4{3138, 23, 62, 697}));
    EXPECT_EQ(monitorState.displaced, 0);

    fake::SetMonitors({kPrimary});  // unplugged
    Watch();
    EXPECT_EQ(Window(), (Rect4{1827, 23, 93, 1017}));
    // The settings keep the choice for the next start.
    EXPECT_EQ(settings.Monitor, kRight.device);
    EXPECT_EQ(settings.MonitorRect, "1920,0,3200,720");
}

TEST_F(Monitors, AMinimizedStripFollowsOnceRestored) {
    fake::SetMonitors({kPrimary, kRight});
    Choose(kRight);
    Start();
    platform::SetWindowState(platform::WindowState::Minimized);
    fake::SetMonitors({kPrimary});
    Watch();
    EXPECT_EQ(fake::state.state, platform::WindowState::Minimized);
    platform::SetWindowState(platform::WindowState::Normal);
    Watch();
    EXPECT_EQ(Window(), (Rect4{1827, 23, 93, 1017}));
}

TEST_F(Monitors, ARenumberedOrMovedMonitorIsFoundAgain) {
    Choose(kRight);
    MonitorInfo renumbered = kRight;
    renumbered.device = "\\\\.\\DISPLAY3";
    MonitorInfo moved = kRight;
    moved.bounds = {-1280, 0, 1280, 720};
    moved.workArea = moved.bounds;
    fake::SetMonitors({kPrimary, renumbered});
    Start();
    EXPECT_EQ(Window(), (Rect4{3138, 23, 62, 697}));
    fake::SetMonitors({kPrimary, moved});
    Watch();
    EXPECT_EQ(Window(), (Rect4{-62, 23, 62, 697}));
}

TEST_F(Monitors, RememberedPlaceWaitsForItsMonitorAndIsSavedAsItWas) {
    fake::SetMonitors({kPrimary, kRight});
    Choose(kRight);
    settings.StartupLocation = 0;
    settings.StartupWinPosnLeft = 2500;
    settings.StartupWinPosnTop = 100;
    settings.StartupWinPosnRight = 60;
    settings.StartupWinPosnBottom = 400;
    Start();
    EXPECT_EQ(Window(), (Rect4{2500, 100, 60, 400}));
    platform::MoveMainWindow(2600, 150, 60, 400);  // the user moves it

    fake::SetMonitors({kPrimary});
    Watch();
    EXPECT_EQ(Window(), (Rect4{1827, 23, 93, 1017}));
    NoteWindowPlace();  // as at exit: the place on the missing monitor
    EXPECT_EQ(Fields(), (Rect4{2600, 150, 60, 400}));

    fake::SetMonitors({kPrimary, kRight});
    Watch();
    EXPECT_EQ(Window(), (Rect4{2600, 150, 60, 400}));
}

TEST_F(Monitors, AnAnnouncedChangeIsFollowedAtOnceAndTheMonitorsAreLookedAtOnlyEveryTwoSeconds) {
    fake::SetMonitors({kPrimary, kRight});
    Choose(kRight);
    Start();
    const int lists = fake::screen.monitorLists;
    for (int pass = 0; pass < 40; ++pass) {  // four seconds of a quiet main loop's passes
        fake::state.tick += 100;
        WatchMonitors(fake::state.tick);
    }
    EXPECT_EQ(fake::screen.monitorRectLooks, 2) << "their rectangles alone";
    EXPECT_EQ(fake::screen.monitorLists, lists) << "no full list while nothing changes";

    fake::SetMonitors({kPrimary});
    MainWindowCallback(platform::msg::DisplayChange, 32, 0);
    fake::state.tick += 1;
    WatchMonitors(fake::state.tick);
    EXPECT_EQ(Window(), (Rect4{1827, 23, 93, 1017}));
}

TEST_F(Monitors, ABreakFillsTheBreakMonitorAndTheStripGoesBackAfter) {
    fake::SetMonitors({kPrimary, kRight});
    ChooseBreak(kRight);
    Start();
    const Rect4 docked = Window();
    StartBreak(60000);
    EXPECT_EQ(fake::state.state, platform::WindowState::Maximized);
    EXPECT_EQ(Window(), (Rect4{1920, 0, 1280, 720}));
    StopBreak();
    EXPECT_EQ(fake::state.state, platform::WindowState::Normal);
    EXPECT_EQ(Window(), docked);

    // A break monitor that is not there: the strip's own.
    fake::SetMonitors({kPrimary});
    StartBreak(60000);
    EXPECT_EQ(Window(), (Rect4{0, 0, 1920, 1080}));
    StopBreak();
    EXPECT_EQ(Window(), docked);
}

TEST_F(Monitors, ABreakFollowsItsMonitorAwayAndBack) {
    fake::SetMonitors({kPrimary, kRight});
    ChooseBreak(kRight);
    Start();
    const Rect4 docked = Window();
    StartBreak(60000);
    fake::SetMonitors({kPrimary});
    Watch();
    EXPECT_EQ(fake::state.state, platform::WindowState::Maximized);
    EXPECT_EQ(Window(), (Rect4{0, 0, 1920, 1080}));
    fake::SetMonitors({kPrimary, kRight});
    Watch();
    EXPECT_EQ(Window(), (Rect4{1920, 0, 1280, 720}));
    StopBreak();
    EXPECT_EQ(Window(), docked);
}

TEST_F(Monitors, AUserMaximizedStripGoesBackMaximizedAfterABreakElsewhere) {
    fake::SetMonitors({kPrimary, kRight});
    ChooseBreak(kRight);
    Start();
    ToggleMaximize();
    StartBreak(60000);
    EXPECT_EQ(Window(), (Rect4{1920, 0, 1280, 720}));
    StopBreak();
    EXPECT_EQ(fake::state.state, platform::WindowState::Maximized);
    EXPECT_EQ(Window(), (Rect4{0, 0, 1920, 1080}));
}

TEST_F(Monitors, FlashAndPopupShowOnTheStripsMonitorAndDuringABreakOnTheBreakMonitor) {
    const MonitorInfo left = fake::Monitor("\\\\.\\DISPLAY3", {-1024, 0, 1024, 768}, {-1024, 0, 1024, 768});
    fake::SetMonitors({kPrimary, kRight, left});
    Choose(left);
    ChooseBreak(kRight);
    Start();
    ScreenFlash(1);
    AlertPopup(1);
    StartBreak(60000);
    AlertPopup(0);
    std::vector<Rect> screens;  // flash, popup, the break's popup
    for (const auto& [id, w] : fake::alertWindows.windows) screens.push_back(w.screen);
    const Rect own{-1024, 0, 1024, 768}, breakScreen{1920, 0, 1280, 720};
    EXPECT_EQ(screens, (std::vector<Rect>{own, own, breakScreen}));
}

TEST_F(Monitors, WithoutAMonitorListTheAlertsCoverThePrimaryScreen) {
    Start();
    ScreenFlash(0);
    EXPECT_EQ(fake::alertWindows.windows.at(1).screen, (Rect{0, 0, 1920, 1080}));
}

TEST(MonitorChoice, FindsTheChoiceByNameAndRectangleThenRectangleThenName) {
    const MonitorInfo a = fake::Monitor("A", {0, 0, 100, 100}, {0, 0, 100, 100}, true);
    const MonitorInfo b = fake::Monitor("B", {100, 0, 100, 100}, {100, 0, 100, 100});
    const MonitorInfo bElsewhere = fake::Monitor("B", {0, 100, 100, 100}, {0, 100, 100, 100});
    const struct {
        std::vector<MonitorInfo> monitors;
        std::string device, rect;
        int found;
    } cases[] = {
        {{a, b}, "B", "100,0,200,100", 1},
        {{a, bElsewhere, b}, "B", "100,0,200,100", 2},  // both match: before the name alone
        {{a, b}, "C", "100,0,200,100", 1},  // renumbered: its rectangle
        {{a, bElsewhere}, "B", "100,0,200,100", 1},  // moved: its name
        {{a, b}, "B", "garbage", 1},
        {{a, b}, "C", "300,0,400,100", -1},  // gone
        {{a, b}, "", "100,0,200,100", -1},  // nothing chosen
        {{}, "B", "100,0,200,100", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(FindMonitor(c.monitors, c.device, c.rect), c.found) << c.device << c.rect;
    EXPECT_EQ(PrimaryMonitor({b, a}), 1);
    EXPECT_EQ(PrimaryMonitor({b}), 0);
    EXPECT_EQ(PrimaryMonitor({}), -1);
}

TEST(MonitorChoice, RectangleTextsReadBackOnlyWhenWellFormed) {
    EXPECT_EQ(MonitorRectText({-1600, -100, 1600, 900}), "-1600,-100,0,800");
    const struct {
        const char* text;
        bool valid;
        Rect rect;
    } cases[] = {
        {"1920,0,3200,720", true, {1920, 0, 1280, 720}},
        {"-1600,-100,0,800", true, {-1600, -100, 1600, 900}},
        {"", false, {}},
        {"1920,0,3200", false, {}},
        {"1920,0,3200,720,5", false, {}},
        {" 1920,0,3200,720", false, {}},
        {"1920,0,1920,720", false, {}},  // no width
        {"0,720,100,0", false, {}},  // upside down
        {"-2147483648,0,2147483647,10", false, {}},  // wider than any monitor can be
        {"a,b,c,d", false, {}},
        {"99999999999,0,1,1", false, {}},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseMonitorRect(c.text);
        EXPECT_EQ(parsed.has_value(), c.valid) << c.text;
        EXPECT_EQ(parsed.value_or(Rect{}), c.rect) << c.text;
    }
}

TEST_F(Monitors, ListsNameTheMonitorsAndKeepAChoiceThatIsNotThere) {
    MonitorInfo named = kRight;
    named.friendlyName = "DELL U2415";
    const std::vector<MonitorInfo> monitors = {kPrimary, named};
    const struct {
        std::string device, rect;
        std::vector<std::string> entries;
        int selected;
    } cases[] = {
        {"", "", {"Primary Monitor", "1: 1920 × 1080 (primary)", "2: DELL U2415"}, 0},
        {kRight.device, "1920,0,3200,720", {"Primary Monitor", "1: 1920 × 1080 (primary)", "2: DELL U2415"}, 2},
        {"\\\\.\\DISPLAY7",
         "0,1080,800,1680",
         {"Primary Monitor", "1: 1920 × 1080 (primary)", "2: DELL U2415", "\\\\.\\DISPLAY7 (not connected)"},
         3},
    };
    for (const auto& c : cases) {
        const MonitorList list = MonitorChoices(monitors, 232, c.device, c.rect);
        EXPECT_EQ(list.entries, c.entries) << c.device;
        EXPECT_EQ(list.selected, c.selected) << c.device;
    }
    EXPECT_EQ(MonitorLabel(fake::Monitor("WINSTA", {0, 0, 800, 600}, {0, 0, 800, 600})), "800 × 600");

    std::string device = "\\\\.\\DISPLAY7", rect = "0,1080,800,1680";
    StoreMonitorChoice(monitors, 3, device, rect);  // the missing one stays chosen
    EXPECT_EQ(device, "\\\\.\\DISPLAY7");
    StoreMonitorChoice(monitors, -1, device, rect);  // nothing selected
    EXPECT_EQ(rect, "0,1080,800,1680");
    StoreMonitorChoice(monitors, 2, device, rect);
    EXPECT_EQ(device, kRight.device);
    EXPECT_EQ(rect, "1920,0,3200,720");
    StoreMonitorChoice(monitors, 0, device, rect);
    EXPECT_EQ(device, "");
    EXPECT_EQ(rect, "");
}

}  // namespace
