// The main loop over scripted event sequences on the fake platform.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "app/Horavel_Main.h"
#include "app/main_window.h"
#include "app/timer_engine.h"
#include "settings/settings.h"
#include "sound/alert_sound.h"
#include "timekeeping/time_values.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_shell.h"
#include "timekeeping/timer_menu.h"

namespace msg = platform::msg;

namespace {

class MainLoop : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        settings = Settings{};
        mainLoop = MainLoopState{};
        timerState = TimerState{};
        ASSERT_TRUE(InitApplication());
        // The layout places the chrome; put the pieces these tests touch where they stand in a 100-wide window.
        platform::MoveMainWindow(500, 100, 100, 400);
        platform::ResizeGadget(gadget::TopBar, 0, 0, 100, 14);
        platform::ResizeGadget(gadget::Logo, 0, 0, 14, 14);
        platform::ResizeGadget(gadget::Maximize, 75, 1, 12, 12);
        platform::ResizeGadget(gadget::Close, 87, 1, 12, 12);
        platform::ResizeGadget(gadget::SettingsButton, 2, 387, 12, 12);
        platform::ResizeGadget(gadget::Grip, 86, 386, 14, 14);
        platform::ResizeGadget(gadget::BottomBar, 0, 386, 100, 14);
    }

    bool Called(const std::string& call) const {
        const auto& calls = fake::state.calls;
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }

    // Runs the loop over the scripted events; true when it ended by itself
    // rather than by the fake's idle limit.
    bool Run() {
        fake::state.idleLimit = 5;
        RunMainLoop();
        return fake::state.idleWaits < fake::state.idleLimit;
    }

    void ClickDown(int g) { fake::PushGadget(g, platform::GadgetLeftClick, [g] { fake::PointAt(g); }); }
};

}  // namespace

TEST_F(MainLoop, StartUpCreatesTheGadgetsWithCaptionsAndToolTips) {
    EXPECT_EQ(platform::GetGadgetText(gadget::StartPause), ">");
    EXPECT_EQ(platform::GetGadgetText(38), "1m");
    EXPECT_EQ(platform::GetGadgetText(39), "5m");
    EXPECT_EQ(platform::GetGadgetText(40), "10m");
    EXPECT_EQ(platform::GetGadgetText(41), "15m");
    EXPECT_EQ(platform::GetGadgetText(42), "30m");
    for (int g : {0, 1, 2, 3, 4, 31, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42}) EXPECT_TRUE(platform::GadgetExists(g)) << g;
    EXPECT_EQ(platform::GetGadgetImageNumber(gadget::Close), image::Close);
    EXPECT_EQ(fake::state.window.title, "Horavel");
    EXPECT_EQ(fake::state.background, platform::Rgb(0, 0, 0));
    EXPECT_EQ(fake::state.callback, &MainWindowCallback);
    EXPECT_TRUE(fake::state.cursorsLoaded);
    EXPECT_EQ(timerState.durationMs, 900000);
    EXPECT_EQ(timerState.presetMs, 900000);
    EXPECT_EQ(timerState.paused, 1);
    EXPECT_EQ(timerState.pauseTick, timerState.startTick);
}

TEST_F(MainLoop, ReadoutsOfferTheMenuInTheirToolTipsOnlyOutsideABreak) {
    auto tips = [] {
        std::vector<std::string> t;
        for (int g : {gadget::CostReadout, gadget::ClockReadout, gadget::TimerReadout})
            t.push_back(fake::state.gadgets[g].toolTip);
        return t;
    };
    const std::vector<std::string> menu(3, "Click here to show menu"), none(3, "");
    EXPECT_EQ(tips(), menu);
    StartBreak(60000);
    EXPECT_EQ(tips(), none);
    StopBreak();
    EXPECT_EQ(tips(), menu);
    StartUntil(ClockNow() + 600);
    EXPECT_EQ(tips(), none);
}

TEST_F(MainLoop, CloseButtonPressedAndReleasedOverItselfCloses) {
    ClickDown(gadget::Close);
    fake::PushMessage(msg::LeftButtonUp);
    EXPECT_TRUE(Run());
}

TEST_F(MainLoop, CloseButtonReleasedElsewhereDoesNotClose) {
    ClickDown(gadget::Close);
    fake::PushMessage(msg::MouseMove, 0, 0, [] { fake::PointAt(gadget::TopBar); });
    fake::PushMessage(msg::LeftButtonUp);
    EXPECT_FALSE(Run());
    EXPECT_EQ(mainLoop.pressedButton, 0);
    EXPECT_EQ(platform::GetGadgetImageNumber(gadget::Close), image::Close);
}

TEST_F(MainLoop, PressedCloseButtonShowsItsPressedPicture) {
    ClickDown(gadget::Close);
    fake::PushClose();
    Run();
    EXPECT_EQ(mainLoop.pressedButton, gadget::Close);
    EXPECT_EQ(platform::GetGadgetImageNumber(gadget::Close), image::Close + 2);
}

TEST_F(MainLoop, HoverPictureFollowsThePointerWithoutRedrawingUnchangedButtons) {
    const int changesBefore = fake::state.gadgets[gadget::SettingsButton].imageChanges;
    fake::PushMessage(msg::MouseMove, 0, 0, [] { fake::PointAt(gadget::Maximize); });
    fake::PushMessage(msg::MouseMove, 0, 0, [] { fake::PointAt(gadget::Maximize); });
    fake::PushClose();
    Run();
    EXPECT_EQ(platform::GetGadgetImageNumber(gadget::Maximize), image::Maximize + 1);
    EXPECT_EQ(fake::state.gadgets[gadget::Maximize].imageChanges, 1);
    EXPECT_EQ(fake::state.gadgets[gadget::SettingsButton].imageChanges, changesBefore);
}

TEST_F(MainLoop, DoubleClickOnTheTopBarMaximizesAndASecondRestores) {
    fake::PushMessage(msg::LeftDoubleClick, 0, 0, [] { fake::state.mouse = {540, 105}; });
    fake::PushClose();
    Run();
    EXPECT_EQ(platform::GetWindowState(), platform::WindowState::Maximized);
    EXPECT_EQ(mainLoop.userMaximized, 1);
    // Maximized, the top bar spans the screen; double-click it again.
    platform::ResizeGadget(gadget::TopBar, 0, 0, 1920, 14);
    fake::PushMessage(msg::LeftDoubleClick, 0, 0, [] { fake::state.mouse = {900, 5}; });
    fake::PushClose();
    Run();
    EXPECT_EQ(platform::GetWindowState(), platform::WindowState::Normal);
    EXPECT_EQ(mainLoop.userMaximized, 0);
    EXPECT_EQ(platform::WindowInnerWidth(), 100);
}

TEST_F(MainLoop, TheEndOfAMoveIsNotLostToAHeldBackRefresh) {
    fake::PushMessage(msg::EnterSizeMove);
    // The move took long: a refresh is due when its end comes in.
    fake::PushMessage(msg::ExitSizeMove, 0, 0, [] { fake::state.tick += 5000; });
    fake::PushMessage(msg::LeftDoubleClick, 0, 0, [] { fake::state.mouse = {540, 105}; });
    fake::PushClose();
    Run();
    EXPECT_EQ(mainLoop.inSizeMove, 0);
    EXPECT_TRUE(fake::state.gadgets[gadget::TimerReadout].visible);
    EXPECT_EQ(platform::GetWindowState(), platform::WindowState::Maximized);
}

TEST_F(MainLoop, DoubleClickOnTheCloseButtonDoesNotMaximize) {
    fake::PushMessage(msg::LeftDoubleClick, 0, 0, [] { fake::PointAt(gadget::Close); });
    fake::PushClose();
    Run();
    EXPECT_EQ(platform::GetWindowState(), platform::WindowState::Normal);
}

TEST_F(MainLoop, TopBarDragMovesAndGripsAndEdgesResize) {
    fake::PushGadget(gadget::TopBar, platform::GadgetLeftClick, [] { fake::state.mouse = {540, 107}; });
    fake::PushGadget(gadget::BottomBar, platform::GadgetLeftClick, [] { fake::PointAt(gadget::Grip); });
    fake::PushGadget(gadget::TopBar, platform::GadgetLeftClick, [] { fake::state.mouse = {507, 107}; });  // logo
    fake::PushGadget(gadget::TimerReadout, platform::GadgetLeftClick, [] { fake::state.mouse = {598, 250}; });
    fake::PushClose();
    Run();
    const std::vector<std::string> expected = {"StartSystemMove", "StartSystemSize 61448", "StartSystemSize 61444",
                                               "StartSystemSize 61442"};
    std::vector<std::string> system;
    for (const auto& c : fake::state.calls)
        if (c.rfind("StartSystem", 0) == 0) system.push_back(c);
    EXPECT_EQ(system, expected);
}

TEST_F(MainLoop, NoSystemMoveOrSizeWhileMaximized) {
    platform::SetWindowState(platform::WindowState::Maximized);
    fake::PushGadget(gadget::TopBar, platform::GadgetLeftClick, [] { fake::state.mouse = {40, 7}; });
    fake::PushClose();
    Run();
    EXPECT_FALSE(Called("StartSystemMove"));
}

TEST_F(MainLoop, CursorShowsTheSizingEdgeAndTheHandOverReadouts) {
    platform::ResizeGadget(gadget::TimerReadout, 1, 100, 98, 280);
    fake::PushMessage(msg::MouseMove, 0, 0, [] { fake::state.mouse = {501, 250}; });
    fake::PushClose();
    Run();
    EXPECT_EQ(fake::state.cursor, platform::CursorShape::SizeHorizontal);
    fake::PushMessage(msg::MouseMove, 0, 0, [] { fake::state.mouse = {550, 250}; });
    fake::PushClose();
    Run();
    EXPECT_EQ(fake::state.cursor, platform::CursorShape::Hand);
    fake::PushMessage(msg::MouseMove, 0, 0, [] { fake::PointAt(gadget::Grip); });
    fake::PushClose();
    Run();
    EXPECT_EQ(fake::state.cursor, platform::CursorShape::SizeDiagonal);
}

TEST_F(MainLoop, PresetCaptionsFollowCtrlAndShift) {
    using platform::Key;
    namespace keycode = platform::keycode;
    // Each step: a key message (seen by the active window), the keys then
    // held, and what preset button 38 to 42 (one of them) reads after it.
    struct Step {
        unsigned message;
        std::uintptr_t key;
        std::set<Key> held;
        int button;
        const char* caption;
    } steps[] = {
        {msg::KeyDown, keycode::Control, {Key::Control}, 38, "+1m"},
        {msg::KeyDown, keycode::Control, {Key::Control}, 42, "+30m"},  // the key repeats
        {msg::KeyUp, keycode::Control, {}, 42, "30m"},
        {msg::KeyDown, keycode::Shift, {Key::Shift}, 40, "-10m"},
        // Straight from Shift to Ctrl: the prefix is replaced, not stacked.
        {msg::KeyDown, keycode::Control, {Key::Shift, Key::Control}, 39, "+5m"},
        {msg::KeyUp, keycode::Control, {Key::Shift}, 39, "-5m"},
        {msg::SysKeyUp, keycode::Shift, {}, 41, "15m"},  // let go while Alt is held
    };
    // The active window follows the key messages; an inactive one under the
    // pointer looks at the keys' state.
    for (const bool active : {true, false}) {
        SCOPED_TRACE(active ? "active" : "pointer over, not active");
        fake::state.active = active;
        fake::state.keysDown.clear();
        mainLoop = MainLoopState{};
        SetPresetCaptions();
        for (const Step& step : steps) {
            SCOPED_TRACE(step.caption);
            const std::set<Key> held = step.held;
            if (active)
                fake::PushMessage(step.message, step.key, 0, [held] { fake::state.keysDown = held; });
            else
                fake::PushMessage(msg::MouseMove, 0, 0, [held] {
                    fake::state.mouse = {550, 300};
                    fake::state.keysDown = held;
                });
            fake::PushClose();
            Run();
            EXPECT_EQ(platform::GetGadgetText(step.button), step.caption);
        }
    }
}

TEST_F(MainLoop, KeyMessagesOfTheActiveWindowPauseAndEndABreak) {
    namespace keycode = platform::keycode;
    struct Row {
        const char* what;
        bool inBreak;
        std::vector<std::pair<unsigned, std::uintptr_t>> messages;
        int paused;      // afterwards, when not in a break
        bool breakEnds;  // in a break
    } rows[] = {
        {"space pressed and released", false, {{msg::KeyDown, keycode::Space}, {msg::KeyUp, keycode::Space}}, 0, false},
        {"space held down", false, {{msg::KeyDown, keycode::Space}, {msg::KeyDown, keycode::Space}}, 1, false},
        {"a release without its press", false, {{msg::KeyUp, keycode::Space}}, 1, false},
        {"Esc outside a break", false, {{msg::KeyDown, keycode::Escape}}, 1, false},
        {"Esc in a break", true, {{msg::KeyDown, keycode::Escape}}, 0, true},
        {"space in a break", true, {{msg::KeyDown, keycode::Space}, {msg::KeyUp, keycode::Space}}, 0, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        mainLoop = MainLoopState{};
        InitTimerState();  // paused
        if (r.inBreak) StartBreak(60000);
        for (const auto& [message, key] : r.messages) fake::PushMessage(message, key);
        fake::PushClose();
        Run();
        if (r.inBreak) {
            EXPECT_EQ(InBreak(), !r.breakEnds);
        } else {
            EXPECT_EQ(timerState.paused, r.paused);
        }
    }
}

TEST(LoopWait, TwentyMillisecondsWhileWatchedElseUntilTheNextRefresh) {
    struct Row {
        bool watching;
        std::uint32_t now, next;
        int wait;
    } rows[] = {
        {true, 1000, 1800, 20},   {false, 1000, 1800, 800},         {true, 1000, 1010, 10},
        {false, 1000, 0, 0},      {false, 1000, 990, 0},            {false, 1000, 5000, 1000},
        {false, 0xFFFFFF00u, 0x100u, 512},  // across the wrap of the tick count
    };
    for (const Row& r : rows) EXPECT_EQ(LoopWaitMs(r.watching, r.now, r.next), r.wait) << r.now << " " << r.next;
}

TEST_F(MainLoop, WaitsTwentyMillisecondsOnlyWhileTheKeysStateIsWatched) {
    struct Row {
        const char* state;
        bool active, pointerOver, prefix, watched;
    } rows[] = {
        {"active", true, false, false, false},
        {"active, pointer over", true, true, false, false},
        {"pointer over, not active", false, true, false, true},
        {"prefix shown", false, false, true, true},
        {"active, prefix shown", true, false, true, true},
        {"none of these", false, false, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.state);
        mainLoop = MainLoopState{};
        fake::state.active = r.active;
        fake::state.keysDown.clear();
        fake::state.mouse = {0, 0};
        if (r.pointerOver) fake::PushMessage(msg::MouseMove, 0, 0, [] { fake::state.mouse = {550, 300}; });
        if (r.prefix) {
            fake::state.keysDown = {platform::Key::Control};
            ShowPresetCaptions('+');
        }
        Run();  // settles the first refresh
        fake::state.waits.clear();
        fake::state.inputReads = 0;
        fake::state.idleWaits = 0;
        fake::state.idleLimit = 40;
        RunMainLoop();
        const auto longest = *std::max_element(fake::state.waits.begin(), fake::state.waits.end());
        if (r.watched) {
            EXPECT_LE(longest, 20);
        } else {
            // One wake per refresh, and those passes read neither keys nor pointer.
            EXPECT_EQ(longest, timerState.refreshMs);
            EXPECT_GE(timerState.refreshMs, 500);
            EXPECT_EQ(fake::state.inputReads, 0);
        }
    }
}

TEST_F(MainLoop, ActivationTakesTheKeysAsTheyAreAndDeactivationLetsThemGo) {
    namespace keycode = platform::keycode;
    fake::state.active = false;
    fake::state.idleLimit = 5;
    RunMainLoop();
    EXPECT_GT(fake::state.waits.back(), 20);
    // Ctrl held while the window becomes active: no key message comes for it.
    fake::state.idleWaits = 0;
    fake::PushMessage(msg::Activate, 1, 0, [] {
        fake::state.active = true;
        fake::state.keysDown = {platform::Key::Control};
    });
    RunMainLoop();
    EXPECT_EQ(mainLoop.windowActive, 1);
    EXPECT_EQ(platform::GetGadgetText(38), "+1m");
    // Its release comes as a message; the untouched active window is quiet.
    fake::state.idleWaits = 0;
    fake::PushMessage(msg::KeyUp, keycode::Control, 0, [] { fake::state.keysDown.clear(); });
    RunMainLoop();
    EXPECT_EQ(platform::GetGadgetText(38), "1m");
    EXPECT_GT(fake::state.waits.back(), 20);
    // Shift held, then another program takes the focus and Shift is let go there.
    fake::state.idleWaits = 0;
    fake::PushMessage(msg::KeyDown, keycode::Shift, 0, [] { fake::state.keysDown = {platform::Key::Shift}; });
    fake::PushMessage(msg::Activate, 0, 0, [] { fake::state.active = false; });
    fake::At(fake::state.tick + 300, [] { fake::state.keysDown.clear(); });
    fake::state.idleLimit = 30;
    RunMainLoop();
    EXPECT_EQ(mainLoop.windowActive, 0);
    EXPECT_EQ(platform::GetGadgetText(38), "1m");
    EXPECT_GT(fake::state.waits.back(), 20);
}

TEST_F(MainLoop, APointerMessageTellsWhetherTheWindowIsActiveWhereWineDidNot) {
    fake::state.active = true;
    fake::state.idleLimit = 5;
    RunMainLoop();
    // Another program took the focus without a message; the pointer comes over the window.
    fake::state.idleWaits = 0;
    fake::PushMessage(msg::MouseMove, 0, 0, [] {
        fake::state.active = false;
        fake::state.mouse = {550, 300};
    });
    RunMainLoop();
    EXPECT_EQ(mainLoop.windowActive, 0);
    EXPECT_LE(fake::state.waits.back(), 20);  // the keys are watched under the pointer
}

TEST_F(MainLoop, PointerLeavingForAGadgetStaysOverTheWindow) {
    fake::state.active = false;
    struct Row {
        const char* what;
        platform::Point at;  // where the pointer is when the leave message comes
        int over;
    } rows[] = {
        {"onto a gadget", {590, 110}, 1},
        {"onto the window's last pixel", {599, 499}, 1},
        {"just off the right edge", {601, 300}, 0},
        {"far away", {0, 0}, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        fake::PushMessage(msg::MouseMove, 0, 0, [] { fake::state.mouse = {550, 300}; });
        const platform::Point at = r.at;
        fake::PushMessage(msg::MouseLeave, 0, 0, [at] { fake::state.mouse = at; });
        fake::PushClose();
        Run();
        EXPECT_EQ(mainLoop.pointerOver, r.over);
    }
}

TEST_F(MainLoop, CaptionsFollowCtrlWithin20MsWhileThePointerIsOverAndUntilThePrefixGoes) {
    fake::state.active = false;
    fake::PushMessage(msg::MouseMove, 0, 0, [] { fake::state.mouse = {550, 300}; });
    const std::uint32_t press = fake::state.tick + 505, release = press + 733;
    fake::At(press, [] { fake::state.keysDown = {platform::Key::Control}; });
    // The pointer leaves, then Ctrl is let go.
    fake::At(press + 100, [] {
        fake::state.mouse = {0, 0};
        fake::PushMessage(msg::MouseLeave);
    });
    fake::At(release, [] { fake::state.keysDown.clear(); });
    fake::state.idleLimit = 200;
    RunMainLoop();
    EXPECT_EQ(platform::GetGadgetText(38), "1m");
    const std::uint32_t cleared = fake::state.gadgets[38].textTick;
    EXPECT_GE(cleared, release);
    EXPECT_LE(cleared, release + 20);
    EXPECT_EQ(mainLoop.pointerOver, 0);
    EXPECT_EQ(mainLoop.presetPrefix, 0);
    EXPECT_GT(fake::state.waits.back(), 20);  // quiet again
}

TEST_F(MainLoop, CtrlShowsThePrefixWithin20MsOfThePress) {
    fake::state.active = false;
    fake::PushMessage(msg::MouseMove, 0, 0, [] { fake::state.mouse = {550, 300}; });
    const std::uint32_t press = fake::state.tick + 333;
    fake::At(press, [] { fake::state.keysDown = {platform::Key::Control}; });
    fake::state.idleLimit = 30;
    RunMainLoop();
    EXPECT_EQ(platform::GetGadgetText(38), "+1m");
    EXPECT_LE(fake::state.gadgets[38].textTick, press + 20);
}

TEST_F(MainLoop, SpaceReleasedInTheActiveWindowPausesWithin20Ms) {
    TogglePause();  // running
    const std::uint32_t release = fake::state.tick + 640;
    fake::At(release - 90, [] { fake::PushMessage(msg::KeyDown, platform::keycode::Space); });
    fake::At(release, [] { fake::PushMessage(msg::KeyUp, platform::keycode::Space); });
    fake::state.idleLimit = 60;
    RunMainLoop();
    EXPECT_EQ(timerState.paused, 1);
    EXPECT_GE(timerState.pauseTick, release);
    EXPECT_LE(timerState.pauseTick, release + 20);
}

TEST_F(MainLoop, DeactivationForgetsTheOpenMenu) {
    mainLoop.popupShown = 1;
    fake::PushMessage(msg::Activate, 0);
    fake::PushClose();
    Run();
    EXPECT_EQ(mainLoop.popupShown, 0);
}

TEST_F(MainLoop, ClicksOnTheReadoutsOpenTheMenu) {
    fake::ResetShell();
    platform::ResizeGadget(gadget::TimerReadout, 10, 100, 80, 200);
    platform::ResizeGadget(gadget::CostReadout, 10, 20, 80, 60);
    auto overTimer = [] { fake::PointAt(gadget::TimerReadout); };
    fake::PushGadget(gadget::TimerReadout, platform::GadgetRightClick, overTimer);
    fake::PushGadget(gadget::TimerReadout, platform::GadgetRightClick, overTimer);
    fake::PushClose();
    Run();
    EXPECT_EQ(fake::shell.menus.size(), 2u);  // every right click opens it
    // Left clicks toggle: open, then only forget it, then open again.
    for (int i = 0; i < 3; ++i) fake::PushGadget(gadget::TimerReadout, platform::GadgetLeftClick, overTimer);
    fake::PushMessage(msg::LeftButtonUp, 0, 0, [] { fake::PointAt(gadget::CostReadout); });
    fake::PushClose();
    mainLoop.popupShown = 0;
    Run();
    EXPECT_EQ(fake::shell.menus.size(), 4u);
    EXPECT_EQ(mainLoop.popupShown, 0);  // the click on the cost readout closed it
    EXPECT_EQ(fake::shell.menus.back()[9].text, "Resume Timer");

    StartBreak(60000);  // no menu in a break
    fake::PushGadget(gadget::TimerReadout, platform::GadgetRightClick, overTimer);
    fake::PushClose();
    Run();
    EXPECT_EQ(fake::shell.menus.size(), 4u);
}

TEST_F(MainLoop, PresetsAndMenuCommandsHandTheKeyboardBackToTheSlideShow) {
    fake::ResetShell();
    fake::shell.windowClasses = {"screenClass"};
    ClickDown(gadget::Preset1 + 2);
    fake::PushClose();
    Run();
    EXPECT_EQ(timerState.durationMs, 600000);
    EXPECT_FALSE(fake::shell.foregrounds.empty());
    fake::shell.foregrounds.clear();
    fake::PushMenu(menu::StartFirst);
    fake::PushClose();
    Run();
    EXPECT_EQ(fake::shell.foregrounds, std::vector<std::string>{"screenClass"});
}

TEST_F(MainLoop, QuitFromTheMenuEndsTheLoop) {
    fake::PushMenu(110);
    EXPECT_TRUE(Run());
}

TEST_F(MainLoop, ShutdownKeepsThePositionOnlyWhenRemembering) {
    settings.StartupLocation = 0;
    platform::MoveMainWindow(321, 45, 120, 600);
    EXPECT_THROW(ShutdownApplication(), fake::ProcessEnded);
    EXPECT_EQ(settings.StartupWinPosnLeft, 321);
    EXPECT_EQ(settings.StartupWinPosnTop, 45);
    EXPECT_EQ(settings.StartupWinPosnRight, 120);
    EXPECT_EQ(settings.StartupWinPosnBottom, 600);
    EXPECT_FALSE(fake::state.windowOpen);
    EXPECT_FALSE(fake::state.cursorsLoaded);
}

TEST_F(MainLoop, ShutdownLeavesThePositionAloneOtherwise) {
    settings.StartupLocation = 3;
    const int left = settings.StartupWinPosnLeft;
    platform::MoveMainWindow(321, 45, 120, 600);
    EXPECT_THROW(ShutdownApplication(), fake::ProcessEnded);
    EXPECT_EQ(settings.StartupWinPosnLeft, left);
}

TEST(ProgramMain, EndsQuietlyWhenTheWindowCannotOpen) {
    fake::Reset();
    fake::state.failOpenWindow = true;
    try {
        ProgramMain();
    } catch (const fake::ProcessEnded& end) {
        EXPECT_EQ(end.exitCode, 0);
    }
    EXPECT_EQ(fake::state.calls.back(), "EndProcess 0");
    EXPECT_NE(fake::state.faultHandler, nullptr);
    EXPECT_TRUE(fake::state.messageBoxes.empty());
}

TEST_F(MainLoop, AClickOnTheTimerWhileASoundPlaysOnlyStopsIt) {
    fake::ResetShell();
    StartSoundSystem();
    platform::ResizeGadget(gadget::ClockReadout, 10, 20, 80, 60);
    platform::ResizeGadget(gadget::TimerReadout, 10, 100, 80, 200);
    struct Case {
        const char* what;
        std::string path;  // the user's file, or a built-in sound when empty
        int gadget, type;
        bool inBreak;
        bool stops;      // the sound stops
        bool showsMenu;  // the menu opens
    } cases[] = {
        {"left click, built-in", "", gadget::TimerReadout, platform::GadgetLeftClick, false, true, false},
        {"right click, built-in", "", gadget::TimerReadout, platform::GadgetRightClick, false, true, false},
        {"left click, user's file", "C:\\end.wav", gadget::TimerReadout, platform::GadgetLeftClick, false, true, false},
        {"in a break", "", gadget::TimerReadout, platform::GadgetLeftClick, true, true, false},
        {"on the clock", "", gadget::ClockReadout, platform::GadgetRightClick, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fake::ResetShell();
        timerState = TimerState{};
        if (c.inBreak) StartBreak(60000);
        const TimerState before = timerState;
        PlayAlertSound(c.path, c.path.empty() ? 19 : 0, 100);
        ASSERT_TRUE(AlertSoundPlaying());
        mainLoop.popupShown = 0;
        fake::PushGadget(c.gadget, c.type, [g = c.gadget] { fake::PointAt(g); });
        fake::PushClose();
        Run();
        EXPECT_EQ(!AlertSoundPlaying(), c.stops);
        EXPECT_EQ(fake::shell.menus.size(), c.showsMenu ? 1u : 0u);
        EXPECT_EQ(timerState.mode, before.mode);
        EXPECT_EQ(timerState.paused, before.paused);
        EXPECT_EQ(mainLoop.popupShown, c.showsMenu ? 1 : 0);
        StopAlertSound();
    }
    // Once the sound has played to its end, a click opens the menu again.
    fake::ResetShell();
    timerState = TimerState{};
    mainLoop.popupShown = 0;
    PlayAlertSound("", 4, 100);
    fake::state.sound.playing = {};
    fake::PushGadget(gadget::TimerReadout, platform::GadgetLeftClick, [] { fake::PointAt(gadget::TimerReadout); });
    fake::PushClose();
    Run();
    EXPECT_EQ(fake::shell.menus.size(), 1u);
    FreeAlertSound();
}
