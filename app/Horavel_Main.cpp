#include "app/Horavel_Main.h"

#include "app/command_line.h"
#include "app/hotkeys.h"
#include "app/main_window.h"
#include "app/monitors.h"
#include "app/placement.h"
#include "app/presentation.h"
#include "app/timer_engine.h"
#include "display/alerts.h"
#include "display/dpi_scale.h"
#include "display/layout.h"
#include "display/readouts.h"
#include "lang/messages.h"
#include "platform/gadgets.h"
#include "platform/images.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "resources/embedded.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "stage/stage_view.h"
#include "sound/alert_sound.h"
#include "timekeeping/time_values.h"
#include "timekeeping/timer_menu.h"

namespace {

constexpr std::uint32_t kAccessViolation = 3221225477u;  // 0xC0000005

struct BuiltInBitmap {
    int image;
    const char* file;
};

// The pictures beside the menu entries (the chrome pictures come at the window's dots per inch).
constexpr BuiltInBitmap kBuiltInBitmaps[] = {
    {menu_icon::MeetingStart, "resources/menu/meeting_start.bmp"},
    {menu_icon::MeetingEnd, "resources/menu/meeting_end.bmp"},
    {menu_icon::Participants, "resources/menu/participants.bmp"},
    {menu_icon::CountDown, "resources/menu/count_down.bmp"},
    {menu_icon::CountUp, "resources/menu/count_up.bmp"},
    {menu_icon::Break, "resources/menu/break.bmp"},
    {menu_icon::Settings, "resources/menu/settings.bmp"},
    {menu_icon::Resume, "resources/menu/resume.bmp"},
    {menu_icon::Pause, "resources/menu/pause.bmp"},
    {menu_icon::Help, "resources/menu/help.bmp"},
    {menu_icon::Quit, "resources/menu/quit.bmp"},
};

void CreateGadgets() {
    using namespace gadget;
    const int width = platform::WindowInnerWidth();
    platform::CreateImageGadget(TopBar, 0, 0, width, 14, image::Strip);
    platform::CreateImageGadget(BottomBar, 0, 0, width, 14, image::Strip);
    platform::CreateImageGadget(SettingsButton, 0, 0, 12, 12, image::Settings);
    platform::CreateImageGadget(Maximize, 0, 0, 12, 12, image::Maximize);
    platform::CreateImageGadget(Close, 0, 0, 12, 12, image::Close);
    platform::CreateImageGadget(Grip, 0, 0, 14, 14, image::Grip);
    platform::CreateImageGadget(Logo, 0, 0, 14, 14, image::Logo);
    platform::CreateButtonGadget(StartPause, 0, 0, 0, 0, "||");
    for (int g = Preset1; g <= Preset5; ++g) platform::CreateButtonGadget(g, 0, 0, 0, 0, "");
    SetPresetCaptions();
    platform::CreateImageGadget(CostReadout, 500, 500, 0, 0, image::CostReadout);
    platform::CreateImageGadget(ClockReadout, 500, 500, 0, 0, image::ClockReadout);
    platform::CreateImageGadget(TimerReadout, 0, 0, 0, 0, image::TimerReadout);
}

void SetToolTips() {
    using namespace gadget;
    platform::SetGadgetToolTip(StartPause, Message(194));
    for (int g = Preset1; g <= Preset5; ++g) platform::SetGadgetToolTip(g, Message(192));
    layoutState.toolTipsOn = 1;
    SetReadoutToolTips();
}

}  // namespace

std::string FaultReportText(const platform::FaultInfo& fault) {
    std::string text = "A program error was detected:\r";
    text += "\r";
    text += "Error Message:   " + fault.description + "\r";
    text += "Error Code:      " + std::to_string(fault.code) + "\r";
    text += "Code Line:      \r";
    text += "Code Address:    " + std::to_string(fault.address) + "\r";
    if (fault.code == kAccessViolation) text += "Target Address:  " + std::to_string(fault.targetAddress) + "\r";
    if (fault.line < 0) {
        text += "Sourcecode line: Enable OnError lines support to get code line information.\r";
    } else {
        text += "Sourcecode line: " + std::to_string(fault.line) + "\r";
        text += "Sourcecode file: " + fault.file + "\r";
    }
    text += "\r";
    return text;
}

void ReportProgramError(const platform::FaultInfo& fault) {
    platform::ShowMessageBox("Horavel Error", FaultReportText(fault), platform::MessageBoxKind::Ok,
                             platform::MessageBoxIcon::Error);
    EndProgram();
}

void EndProgram() { platform::EndProcess(0); }

bool InitApplication() {
    // Settings and services.
    DefaultMeetingTimes();
    LoadSettings();
    LoadLanguage(settings.Language);
    thousandsSeparator = LocaleText(LocaleThousandSeparator);
    MeasureScreen();
    const bool maximized = PlaceWindow();

    // The window.
    platform::WindowOptions window;
    window.x = settings.StartupWinPosnLeft;
    window.y = settings.StartupWinPosnTop;
    window.innerWidth = settings.StartupWinPosnRight;
    window.innerHeight = settings.StartupWinPosnBottom;
    window.title = "Horavel";
    window.framed = settings.ShowWinBorder == 1;
    window.maximized = maximized;
    if (!platform::OpenMainWindow(window)) return false;
    platform::SetWindowBackground(platform::Rgb(0, 0, 0));
    platform::SetWindowMinimumSize(windowMetrics.minWidth, windowMetrics.minHeight);
    platform::SetWindowCallback(MainWindowCallback);

    TakeWindowDpi(platform::MainWindowDpi());  // the fonts' scale and the chrome pictures

    for (int i : {image::CostReadout, image::ClockReadout, image::TimerReadout}) platform::CreateImage(i, 300, 200);
    for (const BuiltInBitmap& b : kBuiltInBitmaps) platform::DecodeBmpImage(b.image, FindEmbeddedResource(b.file));

    CreateGadgets();
    InitTimerState();

    // The first layout applies on-top, transparency and the window state whatever they are.
    layoutState.relayoutRequested = 1;
    windowMetrics.lastOnTop = settings.AlwaysOnTop ? 0 : 1;
    windowMetrics.lastTransparent = settings.Transparent ? 0 : 1;
    windowMetrics.lastState = -1;
    LayoutReadouts(0);
    platform::ShowMainWindow(true);

    // What nothing on the screen needs yet comes once the window stands: the
    // sound device takes tens of milliseconds to open, the tool tips, the
    // taskbar list, the menu and the pointer shapes a few more.
    soundAvailable = StartSoundSystem();
    SetToolTips();
    BuildTimerMenu();
    platform::LoadCursors();
    InitTaskbarProgress();
    ApplyStageViewSettings();
    return true;
}

void ShutdownApplication() {
    platform::DestroyCursors();
    if (settings.StartupLocation == 0) {
        NoteWindowPlace();
        SaveSettings();
    }
    ReleaseTaskbarProgress();
    StopStageServer();
    WaitForAlertPreview();  // a preview still on screen ends before the process does
    platform::CloseMainWindow();
    if (soundAvailable) FreeAlertSound();
    EndProgram();
}

void ProgramMain() {
    platform::InstallFaultHandler(ReportProgramError);
    RegisterOggDecoder();
    const std::optional<CopyRequest> command = TakeCommandLine();
    if (!InitApplication()) EndProgram();
    RegisterHotkeys();
    if (command) RunCopyCommand(static_cast<int>(command->command), command->argument);
    RunMainLoop();
    ShutdownApplication();
}
