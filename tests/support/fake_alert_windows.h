#pragma once
// The fake's flash and popup windows: what was opened, in which order, and the
// sign each popup showed. Waits let the fake tick count run on.
#include <map>
#include <string>
#include <vector>

#include "platform/alert_windows.h"
#include "tests/support/fake_platform.h"

namespace fake {

struct AlertWindowRecord {
    bool flash = false;
    platform::Colour colour = 0;  // the flash's
    int opacity = -1;             // the flash's
    Image picture;                // the popup's sign
    platform::Rect screen;        // the monitor it shows on
    bool shown = false;
    bool closed = false;
};

struct AlertWindowsState {
    bool failOpen = false;  // no window can be created
    std::map<platform::AlertWindow, AlertWindowRecord> windows;
    std::map<platform::DetachedImage, Image> detached;
    // In order: "OpenFlash", "ShowFlash 1", "OpenPopup", "Animate open 100",
    // "Wait 100", "Close".
    std::vector<std::string> calls;
    platform::AlertWindow next = 1;
};

extern AlertWindowsState alertWindows;

void ResetAlertWindows();

}  // namespace fake
