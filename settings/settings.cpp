#include "settings/settings.h"

Settings settings;

void ResetSettings() {
    Settings& s = settings;
    if (s.Language.empty()) s.Language = "English";
    s.ShowMeetingClock = 1;
    s.ShowTimer = 1;
    s.ShowCostCounter = 0;
    s.CostCurrency = "$";
    s.CostSalary = 50000;
    s.CostPeriod = 0;
    s.NumOfParticipants = 10;
    s.StartupLocation = 3;
    s.StartupHeight = 0;
    s.StartupWinPosnLeft = 550;
    s.StartupWinPosnTop = 50;
    s.StartupWinPosnRight = 50;
    s.StartupWinPosnBottom = 450;
    s.Transparent = 1;
    s.AlwaysOnTop = 1;
    s.Mode3D = 1;
    s.Clock24hr = 0;
    s.ShowWinBorder = 0;
    s.BorderChanged = 0;
    s.ShowTaskBarProgress = 0;
    s.WarningTime = 1;
    s.WarningYellow = 1;
    s.WarningBlink = 1;
    s.WarningFlash = 0;
    s.WarningPopup = 0;
    s.WarningSound = 0;
    s.FinishRed = 1;
    s.FinishBlink = 1;
    s.FinishFlash = 0;
    s.FinishPopup = 0;
    s.FinishSound = 0;
    s.FinishAutoBreakTimer = 0;
    s.FinishAutoBreakTime = 4;
    s.FinishAutoRestart = 0;
    s.Button1 = 60;
    s.Button2 = 300;
    s.Button3 = 600;
    s.Button4 = 900;
    s.Button5 = 1800;
    s.Hotkeys = 0;
    for (std::string Settings::*hotkey : {&Settings::HotkeyStartPause, &Settings::HotkeyReset, &Settings::HotkeyPreset1,
                                          &Settings::HotkeyPreset2, &Settings::HotkeyPreset3, &Settings::HotkeyPreset4,
                                          &Settings::HotkeyPreset5, &Settings::HotkeyAddMinute,
                                          &Settings::HotkeySubMinute, &Settings::HotkeyCountUp, &Settings::HotkeyBreak,
                                          &Settings::HotkeyShowHide, &Settings::HotkeyMenu}) {
        (s.*hotkey).clear();
    }
    s.WarningVolume = 100;
    s.FinishVolume = 100;
    s.Monitor.clear();
    s.MonitorRect.clear();
    s.BreakMonitor.clear();
    s.BreakMonitorRect.clear();
    s.StageView = 0;
    s.StageViewLan = 0;
    s.StageViewPort = 8740;
}

namespace {

constexpr SettingKey Int(std::string_view key, std::int32_t Settings::*field, std::int32_t missing) {
    return SettingKey{key, field, nullptr, missing, {}};
}
constexpr SettingKey Text(std::string_view key, std::string Settings::*field, std::string_view missing) {
    return SettingKey{key, nullptr, field, 0, missing};
}

const SettingKey kStoredKeys[] = {
    Text("Language", &Settings::Language, "English"),
    Int("ShowMeetingClock", &Settings::ShowMeetingClock, 1),
    Int("ShowTimer", &Settings::ShowTimer, 1),
    Int("ShowCostCounter", &Settings::ShowCostCounter, 0),
    Text("CostCurrency", &Settings::CostCurrency, "$"),
    Int("CostSalary", &Settings::CostSalary, 50000),
    Int("CostPeriod", &Settings::CostPeriod, 0),
    Int("NumOfParticipants", &Settings::NumOfParticipants, 10),
    Int("StartupLocation", &Settings::StartupLocation, 3),
    Int("StartupHeight", &Settings::StartupHeight, 0),
    Int("StartupWinPosn\\left", &Settings::StartupWinPosnLeft, 550),
    Int("StartupWinPosn\\top", &Settings::StartupWinPosnTop, 50),
    Int("StartupWinPosn\\right", &Settings::StartupWinPosnRight, 50),
    Int("StartupWinPosn\\bottom", &Settings::StartupWinPosnBottom, 450),
    Int("Transparent", &Settings::Transparent, 1),
    Int("AlwaysOnTop", &Settings::AlwaysOnTop, 1),
    Int("3D Mode", &Settings::Mode3D, 1),
    Int("24hr Clock", &Settings::Clock24hr, 1),
    Int("ShowWinBorder", &Settings::ShowWinBorder, 0),
    Int("ShowTaskBarProgress", &Settings::ShowTaskBarProgress, 0),
    Int("WarningTime", &Settings::WarningTime, 1),
    Int("WarningYellow", &Settings::WarningYellow, 1),
    Int("WarningBlink", &Settings::WarningBlink, 1),
    Int("WarningFlash", &Settings::WarningFlash, 0),
    Int("WarningPopup", &Settings::WarningPopup, 0),
    Int("WarningSound", &Settings::WarningSound, 0),
    Int("WarningSoundFile", &Settings::WarningSoundFile, 1),
    Text("WarningSoundCustom", &Settings::WarningSoundCustom, ""),
    Int("FinishRed", &Settings::FinishRed, 1),
    Int("FinishBlink", &Settings::FinishBlink, 1),
    Int("FinishFlash", &Settings::FinishFlash, 0),
    Int("FinishPopup", &Settings::FinishPopup, 0),
    Int("FinishSound", &Settings::FinishSound, 0),
    Int("FinishSoundFile", &Settings::FinishSoundFile, 5),
    Text("FinishSoundCustom", &Settings::FinishSoundCustom, ""),
    Int("FinishAutoBreakTimer", &Settings::FinishAutoBreakTimer, 0),
    Int("FinishAutoBreakTime", &Settings::FinishAutoBreakTime, 4),
    Int("FinishAutoRestart", &Settings::FinishAutoRestart, 0),
    Int("Button1", &Settings::Button1, 60),
    Int("Button2", &Settings::Button2, 300),
    Int("Button3", &Settings::Button3, 600),
    Int("Button4", &Settings::Button4, 900),
    Int("Button5", &Settings::Button5, 1800),
    Int("Hotkeys", &Settings::Hotkeys, 0),
    Text("Hotkey\\StartPause", &Settings::HotkeyStartPause, ""),
    Text("Hotkey\\Reset", &Settings::HotkeyReset, ""),
    Text("Hotkey\\Preset1", &Settings::HotkeyPreset1, ""),
    Text("Hotkey\\Preset2", &Settings::HotkeyPreset2, ""),
    Text("Hotkey\\Preset3", &Settings::HotkeyPreset3, ""),
    Text("Hotkey\\Preset4", &Settings::HotkeyPreset4, ""),
    Text("Hotkey\\Preset5", &Settings::HotkeyPreset5, ""),
    Text("Hotkey\\AddMinute", &Settings::HotkeyAddMinute, ""),
    Text("Hotkey\\SubMinute", &Settings::HotkeySubMinute, ""),
    Text("Hotkey\\CountUp", &Settings::HotkeyCountUp, ""),
    Text("Hotkey\\Break", &Settings::HotkeyBreak, ""),
    Text("Hotkey\\ShowHide", &Settings::HotkeyShowHide, ""),
    Text("Hotkey\\Menu", &Settings::HotkeyMenu, ""),
    Int("WarningVolume", &Settings::WarningVolume, 100),
    Int("FinishVolume", &Settings::FinishVolume, 100),
    Text("Monitor", &Settings::Monitor, ""),
    Text("MonitorRect", &Settings::MonitorRect, ""),
    Text("BreakMonitor", &Settings::BreakMonitor, ""),
    Text("BreakMonitorRect", &Settings::BreakMonitorRect, ""),
    Int("StageView", &Settings::StageView, 0),
    Int("StageViewLan", &Settings::StageViewLan, 0),
    Int("StageViewPort", &Settings::StageViewPort, 8740),
    Text("StageViewToken", &Settings::StageViewToken, ""),
    Text("StageControlToken", &Settings::StageControlToken, ""),
};
static_assert(std::size(kStoredKeys) == kOriginalKeyCount + 25);

}  // namespace

std::span<const SettingKey> StoredSettingKeys() { return kStoredKeys; }
