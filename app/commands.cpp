#include "app/commands.h"

#include "app/main_window.h"
#include "app/placement.h"
#include "app/timer_engine.h"
#include "display/layout.h"
#include "platform/screen.h"
#include "platform/system.h"
#include "settings/about_panel.h"
#include "settings/settings_window.h"

namespace {

void OpenSettings() {
    platform::SetMainWindowTopMost(false);
    windowMetrics.lastOnTop = 0;
    OpenSettingsWindow();
    RunSettingsWindow();
    layoutState.relayoutRequested = 1;
    LayoutReadouts(0);
    SetPresetCaptions();
}

}  // namespace

bool RunMenuCommand(int item) {
    switch (item) {
        case 76: SetCountDown(3600000); break;
        case 77: SetCountDown(5400000); break;
        case 78: SetCountDown(7200000); break;
        case 80: StartCountUp(); break;
        case 107: TogglePause(); break;
        case kMenuSettings: OpenSettings(); break;
        case kMenuHelp: platform::OpenWebPage(std::string(about::HelpPage)); break;
        case kMenuQuit: return true;
        default: break;
    }
    return false;
}
