#include "tests/support/fake_main_window.h"

#include "app/main_window.h"
#include "app/monitors.h"
#include "app/placement.h"
#include "app/timer_engine.h"
#include "display/layout.h"
#include "display/readouts.h"
#include "lang/messages.h"
#include "platform/gadgets.h"
#include "platform/images.h"
#include "platform/window.h"
#include "settings/settings.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_screen.h"
#include "timekeeping/time_values.h"

namespace fake {

void OpenReadoutWindow(int clientWidth, int clientHeight) {
    Reset();
    ResetScreen();
    settings = Settings{};
    ResetSettings();
    layoutState = LayoutState{};
    layoutState.relayoutRequested = 1;
    windowMetrics = WindowMetrics{};
    monitorState = MonitorState{};
    mainLoop = MainLoopState{};
    timerState = TimerState{};
    costRect = clockRect = timerRect = platform::Rect{};
    timerHitRect = EdgeRect{};
    fontScale = 1.0f;
    markerY = 0;
    meetingStart = meetingEnd = 0;
    thousandsSeparator = ",";
    LoadLanguage("English");

    platform::WindowOptions options;
    options.innerWidth = clientWidth;
    options.innerHeight = clientHeight;
    options.title = "Horavel";
    platform::OpenMainWindow(options);
    for (int i : {image::CostReadout, image::ClockReadout, image::TimerReadout}) platform::CreateImage(i, 300, 200);
    platform::CreateImage(image::Strip, 10, 14);
    for (int i : {image::Settings, image::Maximize, image::Close}) platform::CreateImage(i, 12, 12);
    for (int i : {image::Logo, image::Grip}) platform::CreateImage(i, 14, 14);

    platform::CreateImageGadget(gadget::TopBar, 0, 0, clientWidth, 14, image::Strip);
    platform::CreateImageGadget(gadget::BottomBar, 0, 0, clientWidth, 14, image::Strip);
    platform::CreateImageGadget(gadget::SettingsButton, 0, 0, 12, 12, image::Settings);
    platform::CreateImageGadget(gadget::Maximize, 0, 0, 12, 12, image::Maximize);
    platform::CreateImageGadget(gadget::Close, 0, 0, 12, 12, image::Close);
    platform::CreateImageGadget(gadget::Grip, 0, 0, 14, 14, image::Grip);
    platform::CreateImageGadget(gadget::Logo, 0, 0, 14, 14, image::Logo);
    platform::CreateButtonGadget(gadget::StartPause, 0, 0, 0, 0, "||");
    for (int g = gadget::Preset1; g <= gadget::Preset5; ++g) platform::CreateButtonGadget(g, 0, 0, 0, 0, "");
    platform::CreateImageGadget(gadget::CostReadout, 500, 500, 0, 0, image::CostReadout);
    platform::CreateImageGadget(gadget::ClockReadout, 500, 500, 0, 0, image::ClockReadout);
    platform::CreateImageGadget(gadget::TimerReadout, 0, 0, 0, 0, image::TimerReadout);
    CalibrateFontScale();
}

}  // namespace fake
