// The settings window's stage-view tab through the fake dialog.
#include "tests/unit/settings_window_fixture.h"

#include <algorithm>

#include "lang/messages.h"
#include "platform/images.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/settings_window.h"
#include "settings/settings_window_layout.h"
#include "settings/stage_panel.h"
#include "stage/stage_server.h"
#include "stage/stage_tokens.h"
#include "tests/support/fake_dialog.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_screen.h"
#include "tests/support/fake_shell.h"
#include "tests/support/loopback_holder.h"

namespace {

const std::string View = "0123456789abcdef0123456789abcdef";
const std::string Control = "fedcba9876543210fedcba9876543210";

class StagePanel : public SettingsWindowTest {};

TEST_F(StagePanel, ShowsTheAddressesOfTheRecordsTokensAndStoresTheChoicesOnOk) {
    settings.StageViewToken = View;
    settings.StageControlToken = Control;
    settings.StageViewPort = 8741;
    OpenSettingsWindow();
    EXPECT_FALSE(platform::ControlChecked(sw::StageOn));
    EXPECT_EQ(C(sw::StageAddress).text, "http://127.0.0.1:8741/?token=" + View);
    EXPECT_EQ(C(sw::StageControlAddress).text, "http://127.0.0.1:8741/?token=" + Control);
    EXPECT_EQ(C(sw::StagePort).text, "8741");
    EXPECT_EQ(C(sw::StageStatus).text, "");
    EXPECT_EQ(C(sw::StageQr).image, stage_panel::QrImage);
    fake::PushClick(sw::StageCopy);
    C(sw::StageOn).checked = true;
    C(sw::StagePort).text = "9000";
    fake::PushClick(sw::Ok);
    RunSettingsWindow();
    EXPECT_EQ(settings.StageView, 1);
    EXPECT_EQ(settings.StageViewPort, 9000);
    EXPECT_EQ(settings.StageViewToken, View);
    EXPECT_EQ(settings.StageControlToken, Control);
    EXPECT_NE(std::find(fake::state.calls.begin(), fake::state.calls.end(),
                        "Clipboard http://127.0.0.1:9000/?token=" + View),
              fake::state.calls.end());
}

TEST_F(StagePanel, TokensAreMadeWhenMissingAndRenewedOnlyForOk) {
    OpenSettingsWindow();
    const std::string shown = C(sw::StageAddress).text;
    ASSERT_EQ(shown.rfind("http://127.0.0.1:8740/?token=", 0), 0u) << shown;
    EXPECT_TRUE(IsStageToken(shown.substr(shown.size() - 32)));
    fake::PushClick(sw::StageRenew);
    fake::PushClick(sw::Cancel);
    RunSettingsWindow();
    EXPECT_EQ(settings.StageViewToken, "") << "Cancel stores nothing";

    OpenSettingsWindow();
    const std::string before = C(sw::StageControlAddress).text;
    fake::PushClick(sw::StageRenew);
    fake::PushClick(sw::Ok);
    RunSettingsWindow();
    EXPECT_TRUE(IsStageToken(settings.StageViewToken));
    EXPECT_TRUE(IsStageToken(settings.StageControlToken));
    EXPECT_EQ(before.find(settings.StageControlToken), std::string::npos);
}

TEST_F(StagePanel, APortInUseIsSaidBesideTheAddressInTheActiveLanguage) {
    // Another program listens on the loopback port: the server reports it.
    fake::LoopbackHolder holder;
    const int taken = holder.port();
    ASSERT_GT(taken, 0);
    settings.StageView = 1;
    settings.StageViewPort = taken;
    ASSERT_EQ(StartStageServer({false, taken, View, Control}), StageServerStatus::PortInUse);
    OpenSettingsWindow();
    EXPECT_EQ(C(sw::StageStatus).text, "port " + std::to_string(taken) + " is in use by another program");
    LoadLanguage("Deutsch");
    RelabelSettingsWindow();
    EXPECT_EQ(C(sw::StageStatus).text, "Port " + std::to_string(taken) + " wird von einem anderen Programm benutzt");
    platform::CloseDialog();
    StopStageServer();
}

TEST(StageQr, TheCodeIsSquareWithItsFinderPatterns) {
    const auto modules = QrModules("http://192.168.1.20:8740/?token=0123456789abcdef0123456789abcdef");
    ASSERT_GE(modules.size(), 21u);
    const std::size_t n = modules.size();
    EXPECT_EQ((n - 17) % 4, 0u) << "a QR code is 17 + 4 x version modules wide";
    // The three finder patterns: dark corners with a light ring inside.
    for (auto [x, y] : {std::pair<std::size_t, std::size_t>{0, 0}, {n - 7, 0}, {0, n - 7}}) {
        EXPECT_TRUE(modules[y][x]);
        EXPECT_TRUE(modules[y + 6][x + 6]);
        EXPECT_FALSE(modules[y + 1][x + 1]);
        EXPECT_TRUE(modules[y + 3][x + 3]);
    }
}

}  // namespace
