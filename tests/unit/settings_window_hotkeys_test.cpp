// The settings window's Hotkeys page through the fake dialog: the defaults
// that come with the box, the key fields, the notes beside them, OK and Cancel.
#include "tests/unit/settings_window_fixture.h"

#include "app/hotkeys.h"
#include "lang/messages.h"
#include "platform/hotkeys.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/settings_window.h"
#include "settings/settings_window_layout.h"
#include "tests/support/fake_dialog.h"
#include "tests/support/fake_hotkeys.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_screen.h"
#include "tests/support/fake_shell.h"

namespace {

using namespace platform::modifier;
constexpr int kStartPause = 0, kReset = 1, kPreset1 = 2, kAddMinute = 7, kMenu = 12;
constexpr int kSpace = 0x20, kBackspace = 0x08, kEscape = 0x1B;

class HotkeysPage : public SettingsWindowTest {
protected:
    static std::string Field(int command) { return fake::ControlOf(sw::HotkeyField + command).text; }
    static std::string Note(int command) { return fake::ControlOf(sw::HotkeyNote + command).text; }
};

}  // namespace

TEST_F(HotkeysPage, TurningHotkeysOnBringsTheDefaultsThatOkStores) {
    OpenSettingsWindow();
    EXPECT_FALSE(fake::ControlOf(sw::HotkeysOn).checked);
    EXPECT_EQ(fake::ControlOf(sw::HotkeyLabel + kPreset1).text, "Button 1");
    EXPECT_EQ(fake::ControlOf(sw::HotkeyLabel + kMenu).text, "Menu");
    for (int i = 0; i < kHotkeyCommands; ++i) {
        EXPECT_EQ(Field(i), "");
        EXPECT_FALSE(fake::ControlOf(sw::HotkeyField + i).enabled) << "off: nothing to type into";
    }
    fake::PushCheck(sw::HotkeysOn, true);
    fake::PushClick(sw::Ok);
    RunSettingsWindow();
    EXPECT_EQ(settings.Hotkeys, 1);
    for (int i = 0; i < kHotkeyCommands; ++i)
        EXPECT_EQ(HotkeyText(settings, static_cast<HotkeyCommand>(i)), DefaultHotkeyText(static_cast<HotkeyCommand>(i)));
    EXPECT_TRUE(fake::hotkeys.registered.empty()) << "the window only tried the combinations";
}

TEST_F(HotkeysPage, TurningThemOnAgainKeepsTheUsersOwnCombinations) {
    settings.HotkeyMenu = "Ctrl+Shift+Alt+M";
    fake::PushCheck(sw::HotkeysOn, true);
    fake::PushClick(sw::Ok);
    Run();
    EXPECT_EQ(settings.HotkeyMenu, "Ctrl+Shift+Alt+M");
    EXPECT_EQ(settings.HotkeyStartPause, "") << "no defaults once any combination is set";
}

TEST_F(HotkeysPage, TypedCombinationsAndTheNotesBesideThem) {
    settings.Hotkeys = 1;
    settings.HotkeyStartPause = "alt+ctrl+shift+space";  // written by hand: shown in the program's own form
    settings.HotkeyReset = "Ctrl+Alt+Nothing";
    fake::hotkeys.takenByOthers.insert({Control | Alt, 'T'});
    fake::hotkeys.typing.insert({Control | Alt, 'Q'});
    OpenSettingsWindow();
    EXPECT_EQ(Field(kStartPause), "Ctrl+Shift+Alt+Space");
    EXPECT_EQ(Note(kStartPause), "");
    EXPECT_EQ(Note(kReset), Message(205));

    struct Row {
        const char* what;
        int command;
        int modifiers, key;
        const char* field;
        std::string note;
    };
    const Row rows[] = {
        {"held by another program", kAddMinute, Control | Alt, 'T', "Ctrl+Alt+T", "in use by another program"},
        {"types a character", kMenu, Control | Alt, 'Q', "Ctrl+Alt+Q", Message(203)},
        {"a combination set above", kPreset1, Control | Shift | Alt, kSpace, "Ctrl+Shift+Alt+Space", Message(204)},
        {"Backspace clears", kReset, 0, kBackspace, "", ""},
        {"Esc with Ctrl is a combination", kPreset1, Control, kEscape, "Ctrl+Escape", ""},
        {"a key without a name is not kept", kPreset1, Control, 0xFF, "Ctrl+Escape", ""},
    };
    std::vector<std::pair<std::string, std::string>> seen;  // field and note after each row
    for (const Row& row : rows) {
        fake::PushKey(sw::HotkeyField + row.command, row.modifiers, row.key);
        fake::PushDialog(platform::DialogEventKind::None, 0,
                         [&seen, c = row.command] { seen.emplace_back(Field(c), Note(c)); });
    }
    fake::PushClick(sw::Cancel);
    RunSettingsWindow();
    ASSERT_EQ(seen.size(), std::size(rows));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].first, rows[i].field) << rows[i].what;
        EXPECT_EQ(seen[i].second, rows[i].note) << rows[i].what;
    }
    EXPECT_EQ(settings.HotkeyAddMinute, "") << "Cancel stores nothing";
}

TEST_F(HotkeysPage, CancelKeepsTheRecordAndRelabellingKeepsTheNotes) {
    settings.Hotkeys = 1;
    settings.HotkeyMenu = "Ctrl+Alt+T";
    fake::hotkeys.takenByOthers.insert({Control | Alt, 'T'});
    fake::PushSelect(sw::Language, 2);  // Deutsch
    std::string relabelled, label;
    fake::PushDialog(platform::DialogEventKind::None, 0, [&] {
        relabelled = Note(kMenu);
        label = fake::ControlOf(sw::HotkeyLabel + kMenu).text;
    });
    fake::PushKey(sw::HotkeyField + kMenu, Control | Alt, 'U');
    std::string freed;
    fake::PushDialog(platform::DialogEventKind::None, 0, [&] { freed = Note(kMenu); });
    fake::PushDialog(platform::DialogEventKind::Close, 0);
    OpenSettingsWindow();
    EXPECT_EQ(Note(kMenu), "in use by another program");
    RunSettingsWindow();
    EXPECT_EQ(relabelled, "von einem anderen Programm belegt");
    EXPECT_EQ(label, "Menü");
    EXPECT_EQ(freed, "") << "Ctrl+Alt+U is free";
    EXPECT_EQ(settings.HotkeyMenu, "Ctrl+Alt+T") << "closing stores nothing";
}
