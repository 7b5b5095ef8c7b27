// The settings window's two monitor lists: what they offer, how they follow
// the language, and what OK and Cancel leave.
#include "tests/unit/settings_window_fixture.h"

#include "app/monitors.h"
#include "lang/messages.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/settings_window.h"
#include "settings/settings_window_layout.h"
#include "tests/support/fake_dialog.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_screen.h"
#include "tests/support/fake_shell.h"

namespace {

using platform::DialogEventKind;

class SettingsWindowMonitors : public SettingsWindowTest {
protected:
    void SetUp() override {
        SettingsWindowTest::SetUp();
        monitorState = MonitorState{};
        fake::SetMonitors({fake::Monitor("\\\\.\\DISPLAY1", {0, 0, 1920, 1080}, {0, 0, 1920, 1040}, true),
                           fake::Monitor("\\\\.\\DISPLAY2", {1920, 0, 1280, 720}, {1920, 0, 1280, 720})});
        // A break monitor that is not plugged in.
        settings.BreakMonitor = "\\\\.\\DISPLAY7";
        settings.BreakMonitorRect = "0,1080,800,1680";
    }
};

TEST_F(SettingsWindowMonitors, ListsFollowTheLanguageAndOkStoresTheChoiceAndMovesTheStrip) {
    fake::PushDialog(DialogEventKind::None, 0, [] {
        EXPECT_EQ(C(sw::MonitorChoice).entries,
                  (std::vector<std::string>{"Primary Monitor", "1: 1920 × 1080 (primary)", "2: 1280 × 720"}));
        EXPECT_EQ(C(sw::MonitorChoice).selected, 0);
        EXPECT_EQ(C(sw::BreakMonitorChoice).entries.front(), "Same as Timer");
        EXPECT_EQ(platform::ControlText(sw::BreakMonitorChoice), "\\\\.\\DISPLAY7 (not connected)");
        EXPECT_EQ(C(sw::MonitorChoiceLabel).text, "Monitor");
    });
    fake::PushSelect(sw::MonitorChoice, 2);
    fake::PushSelect(sw::Language, 2);  // "Deutsch"
    fake::PushDialog(DialogEventKind::None, 0, [] {
        EXPECT_EQ(C(sw::MonitorChoice).entries,
                  (std::vector<std::string>{"Hauptbildschirm", "1: 1920 × 1080 (primär)", "2: 1280 × 720"}));
        EXPECT_EQ(C(sw::MonitorChoice).selected, 2) << "the choice survives the relabelling";
        EXPECT_EQ(platform::ControlText(sw::BreakMonitorChoice), "\\\\.\\DISPLAY7 (nicht verbunden)");
        EXPECT_EQ(C(sw::BreakMonitorLabel).text, "Pausen-Bildschirm");
    });
    fake::PushClick(sw::Ok);
    Run();
    EXPECT_EQ(settings.Monitor, "\\\\.\\DISPLAY2");
    EXPECT_EQ(settings.MonitorRect, "1920,0,3200,720");
    EXPECT_EQ(settings.BreakMonitor, "\\\\.\\DISPLAY7") << "a monitor that is not there stays chosen";
    EXPECT_EQ(settings.BreakMonitorRect, "0,1080,800,1680");
    EXPECT_EQ(monitorState.changed, 1) << "the strip moves at the main loop's next pass";
    const std::string saved = fake::state.files.at(SettingsFolder + "HV_Settings.ini");
    EXPECT_NE(saved.find("\r\nMonitor = \\\\.\\DISPLAY2\r\nMonitorRect = 1920,0,3200,720\r\n"), std::string::npos);
}

TEST_F(SettingsWindowMonitors, CancelKeepsTheChoicesAndTheFirstEntriesClearThem) {
    settings.Monitor = "\\\\.\\DISPLAY2";
    settings.MonitorRect = "1920,0,3200,720";
    fake::PushSelect(sw::MonitorChoice, 0);
    fake::PushClick(sw::Cancel);
    Run();
    EXPECT_EQ(settings.Monitor, "\\\\.\\DISPLAY2");
    EXPECT_EQ(monitorState.changed, 0);

    fake::PushSelect(sw::MonitorChoice, 0);
    fake::PushSelect(sw::BreakMonitorChoice, 0);
    fake::PushClick(sw::Ok);
    Run();
    EXPECT_EQ(settings.Monitor, "");
    EXPECT_EQ(settings.MonitorRect, "");
    EXPECT_EQ(settings.BreakMonitor, "");
    EXPECT_EQ(settings.BreakMonitorRect, "");
    EXPECT_EQ(monitorState.changed, 1);
}

TEST_F(SettingsWindowMonitors, AcceptingUnchangedMovesNothing) {
    settings.Monitor = "\\\\.\\DISPLAY2";
    settings.MonitorRect = "1920,0,3200,720";
    fake::PushClick(sw::Ok);
    Run();
    EXPECT_EQ(settings.Monitor, "\\\\.\\DISPLAY2");
    EXPECT_EQ(settings.BreakMonitor, "\\\\.\\DISPLAY7");
    EXPECT_EQ(monitorState.changed, 0);
}

}  // namespace
