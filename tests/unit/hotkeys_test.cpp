// Global hotkeys on the fake platform: the text form, the table kept in the
// settings, the registration and its clashes, and the commands they give.
#include <gtest/gtest.h>

#include "app/Horavel_Main.h"
#include "app/hotkeys.h"
#include "app/main_window.h"
#include "app/presentation.h"
#include "app/timer_engine.h"
#include "platform/gadgets.h"
#include "platform/hotkeys.h"
#include "platform/window.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "tests/support/fake_hotkeys.h"
#include "tests/support/fake_platform.h"
#include "tests/unit/app_fixture.h"
#include "tests/support/fake_shell.h"
#include "timekeeping/time_values.h"

namespace {

using namespace platform::modifier;
constexpr int kSpace = 0x20, kUp = 0x26, kF5 = 0x74;

class Hotkeys : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWholeProgram();
        ASSERT_TRUE(InitApplication());
    }
    static void Press(HotkeyCommand command) { RunHotkeyCommand(HotkeyId(command)); }
    static std::int32_t Remaining() {
        SampleTimer();
        return RemainingMs();
    }
};

}  // namespace

TEST(HotkeyText, ReadsAndWritesTheTextForm) {
    struct Row {
        const char* text;
        std::optional<Hotkey> hotkey;
        const char* written;  // what FormatHotkey makes of it
    };
    const Row rows[] = {
        {"Ctrl+Shift+Alt+Space", Hotkey{Control | Shift | Alt, kSpace}, "Ctrl+Shift+Alt+Space"},
        {"alt + ctrl + space", Hotkey{Control | Alt, kSpace}, "Ctrl+Alt+Space"},
        {"Win+Shift+F5", Hotkey{Win | Shift, kF5}, "Shift+Win+F5"},
        {"Ctrl+Alt+Up", Hotkey{Control | Alt, kUp}, "Ctrl+Alt+Up"},
        {"Ctrl+q", Hotkey{Control, 'Q'}, "Ctrl+Q"},
        {"Ctrl+Shift+Alt+0", Hotkey{Control | Shift | Alt, '0'}, "Ctrl+Shift+Alt+0"},
        {"F24", Hotkey{0, 0x87}, "F24"},
        {"Ctrl+Num7", Hotkey{Control, 0x67}, "Ctrl+Num7"},
        {"Shift+MediaPlayPause", Hotkey{Shift, 0xB3}, "Shift+MediaPlayPause"},
        {"", std::nullopt, ""},
        {"Ctrl+", std::nullopt, ""},
        {"Ctrl+Alt", std::nullopt, ""},        // no key
        {"Ctrl+Ctrl+A", std::nullopt, ""},     // a repeated modifier
        {"Ctrl+A+B", std::nullopt, ""},        // two keys
        {"Ctrl+F25", std::nullopt, ""},
        {"Ctrl+Alt+Leertaste", std::nullopt, ""},
        {"Hyper+A", std::nullopt, ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseHotkey(row.text), row.hotkey) << row.text;
        if (row.hotkey) {
            EXPECT_EQ(FormatHotkey(*row.hotkey), row.written) << row.text;
            EXPECT_EQ(ParseHotkey(row.written), row.hotkey) << "read back: " << row.written;
        }
    }
    EXPECT_EQ(FormatHotkey({Control, 0xFF}), "") << "a key without a name has no text";
}

TEST(HotkeyText, TheDefaultsAreDistinctCtrlShiftAltCombinations) {
    int set = 0;
    for (int i = 0; i < kHotkeyCommands; ++i) {
        const std::string text = DefaultHotkeyText(static_cast<HotkeyCommand>(i));
        if (text.empty()) continue;
        ++set;
        const auto hotkey = ParseHotkey(text);
        ASSERT_TRUE(hotkey) << text;
        EXPECT_EQ(hotkey->modifiers, Control | Shift | Alt) << text;
        for (int j = 0; j < i; ++j) EXPECT_NE(text, DefaultHotkeyText(static_cast<HotkeyCommand>(j)));
    }
    EXPECT_EQ(set, 9) << "start/pause, reset, the five presets, a minute more and less";
    EXPECT_EQ(DefaultHotkeyText(HotkeyCommand::StartPause), "Ctrl+Shift+Alt+Space");
    EXPECT_EQ(DefaultHotkeyText(HotkeyCommand::Preset3), "Ctrl+Shift+Alt+3");
}

TEST(HotkeyTable, FindsDuplicatesUnreadableTextAndCombinationsTakenElsewhere) {
    std::array<std::string, kHotkeyCommands> texts{};
    texts[0] = "Ctrl+Shift+Alt+Space";
    texts[1] = "ctrl+alt+shift+space";  // the same combination written otherwise
    texts[2] = "Ctrl+Nothing";
    texts[3] = "Ctrl+Alt+T";
    texts[4] = "Ctrl+Alt+U";
    std::vector<int> asked;
    const auto status = CheckHotkeyTable(texts, [&](HotkeyCommand c, const Hotkey& h) {
        asked.push_back(static_cast<int>(c));
        return h.key != 'T';
    });
    EXPECT_EQ(status[0], HotkeyStatus::Registered);
    EXPECT_EQ(status[1], HotkeyStatus::Duplicate);
    EXPECT_EQ(status[2], HotkeyStatus::Invalid);
    EXPECT_EQ(status[3], HotkeyStatus::Taken);
    EXPECT_EQ(status[4], HotkeyStatus::Registered);
    EXPECT_EQ(status[5], HotkeyStatus::None);
    EXPECT_EQ(asked, (std::vector<int>{0, 3, 4})) << "only readable, first-time combinations reach the system";
}

TEST_F(Hotkeys, AFreshInstallationTakesNoKeys) {
    EXPECT_EQ(settings.Hotkeys, 0);
    for (int i = 0; i < kHotkeyCommands; ++i) EXPECT_EQ(HotkeyText(settings, static_cast<HotkeyCommand>(i)), "");
    settings.HotkeyStartPause = "Ctrl+Alt+Space";
    RegisterHotkeys();
    EXPECT_TRUE(fake::hotkeys.registered.empty()) << "nothing while hotkeys are off";
}

TEST_F(Hotkeys, TheTableIsSavedReadBackAndRegisteredWithItsClashes) {
    settings.Hotkeys = 1;
    HotkeyText(settings, HotkeyCommand::StartPause) = "Ctrl+Alt+Space";
    HotkeyText(settings, HotkeyCommand::AddMinute) = "Ctrl+Shift+Alt+Up";
    HotkeyText(settings, HotkeyCommand::Menu) = "Ctrl+Shift+Alt+M";
    SaveSettings();
    const std::string file = fake::state.files[SettingsFolder + "HV_Settings.ini"];
    EXPECT_NE(file.find("\r\nHotkey\\StartPause = Ctrl+Alt+Space\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nHotkey\\Reset = \r\n"), std::string::npos);

    settings = Settings{};
    LoadSettings();
    EXPECT_EQ(settings.Hotkeys, 1);
    EXPECT_EQ(settings.HotkeyAddMinute, "Ctrl+Shift+Alt+Up");
    fake::hotkeys.takenByOthers.insert({Control | Shift | Alt, 'M'});
    RegisterHotkeys();
    EXPECT_EQ(fake::hotkeys.registered,
              (std::map<int, std::pair<int, int>>{{HotkeyId(HotkeyCommand::StartPause), {Control | Alt, kSpace}},
                                                 {HotkeyId(HotkeyCommand::AddMinute), {Control | Shift | Alt, kUp}}}));
    EXPECT_EQ(hotkeyStatus[static_cast<int>(HotkeyCommand::Menu)], HotkeyStatus::Taken);
    EXPECT_EQ(hotkeyStatus[static_cast<int>(HotkeyCommand::StartPause)], HotkeyStatus::Registered);

    // Registering again (after the settings window) first gives every key back.
    settings.HotkeyStartPause.clear();
    settings.HotkeyReset = "Ctrl+Alt+Space";
    RegisterHotkeys();
    EXPECT_EQ(fake::hotkeys.registered.count(HotkeyId(HotkeyCommand::StartPause)), 0u);
    EXPECT_EQ(fake::hotkeys.registered.at(HotkeyId(HotkeyCommand::Reset)), std::make_pair(Control | Alt, kSpace));
    settings.Hotkeys = 0;
    RegisterHotkeys();
    EXPECT_TRUE(fake::hotkeys.registered.empty());
}

TEST_F(Hotkeys, CommandsActWithoutTakingTheKeyboardFromASlideShow) {
    fake::shell.windowClasses.insert("screenClass");
    ASSERT_EQ(timerState.paused, 1);
    Press(HotkeyCommand::StartPause);
    EXPECT_EQ(timerState.paused, 0);
    Press(HotkeyCommand::StartPause);
    EXPECT_EQ(timerState.paused, 1);
    Press(HotkeyCommand::Preset2);
    EXPECT_EQ(timerState.durationMs, settings.Button2 * 1000);
    Press(HotkeyCommand::CountUp);
    EXPECT_EQ(timerState.mode, CountUp);
    Press(HotkeyCommand::Reset);
    EXPECT_EQ(timerState.mode, CountDown);
    EXPECT_EQ(timerState.paused, 1);
    EXPECT_EQ(Remaining(), settings.Button2 * 1000) << "back to the length last set while paused";
    EXPECT_TRUE(fake::shell.foregrounds.empty()) << "the keyboard stays where it was";
    // The same commands from the strip's own buttons hand it to the slide show.
    ReturnFocusToSlideshow();
    EXPECT_EQ(fake::shell.foregrounds.size(), 1u);
}

TEST_F(Hotkeys, BreakTakesTheLastBreaksLengthAndShowHideToggles) {
    Press(HotkeyCommand::Break);
    EXPECT_EQ(timerState.mode, Break);
    EXPECT_EQ(timerState.durationMs, 600000) << "before any break: the automatic break's 10 minutes";
    Press(HotkeyCommand::StartPause);
    EXPECT_EQ(timerState.mode, CountDown) << "start/pause ends a break, as the strip's button does";
    StartBreak(120000);
    StopBreak();
    Press(HotkeyCommand::Break);
    EXPECT_EQ(timerState.durationMs, 120000);
    StopBreak();

    ASSERT_TRUE(platform::MainWindowIsVisible());
    Press(HotkeyCommand::ShowHide);
    EXPECT_FALSE(platform::MainWindowIsVisible());
    Press(HotkeyCommand::ShowHide);
    EXPECT_TRUE(platform::MainWindowIsVisible());

    Press(HotkeyCommand::Menu);
    ASSERT_EQ(fake::shell.menuPlaces.size(), 1u);
    const platform::Rect timer = platform::GadgetScreenRect(gadget::TimerReadout);
    EXPECT_EQ(fake::shell.menuPlaces[0].x, timer.x);
    RunHotkeyCommand(0);
    RunHotkeyCommand(kHotkeyCommands + 1);  // ids nobody registered do nothing
    EXPECT_EQ(fake::shell.menus.size(), 1u);
}
