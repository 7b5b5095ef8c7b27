#pragma once
// The user's settings: one record for the whole run, filled by LoadSettings,
// edited by the settings window and a few main-window commands, written back
// whole by SaveSettings.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

struct Settings {
    std::string Language;
    std::int32_t AddinInstalled = 0;  // run time only: the presentation add-in is registered
    std::int32_t ShowMeetingClock = 0;
    std::int32_t ShowTimer = 0;
    std::int32_t ShowCostCounter = 0;
    std::string CostCurrency;
    std::int32_t CostSalary = 0;
    std::int32_t CostPeriod = 0;  // 0 year, 1 month, 2 week, 3 hour
    std::int32_t NumOfParticipants = 0;
    std::int32_t StartupLocation = 0;  // 0 remember, 1 maximized, 2 left side, 3 right side
    std::int32_t StartupHeight = 0;    // 0 full, 1 three quarters, 2 half, 3 one third
    std::int32_t StartupWinPosnLeft = 0;
    std::int32_t StartupWinPosnTop = 0;
    std::int32_t StartupWinPosnRight = 0;   // the inner WIDTH, despite the key's name
    std::int32_t StartupWinPosnBottom = 0;  // the inner HEIGHT
    std::int32_t Transparent = 0;
    std::int32_t AlwaysOnTop = 0;
    std::int32_t Mode3D = 0;
    std::int32_t Clock24hr = 0;
    std::int32_t ShowWinBorder = 0;
    std::int32_t BorderChanged = 0;  // run time only: an accepted settings window changed ShowWinBorder
    std::int32_t ShowTaskBarProgress = 0;
    std::int32_t WarningTime = 0;  // 1 to 8 a preset; 0 or less minus the seconds remaining
    std::int32_t WarningYellow = 0;
    std::int32_t WarningBlink = 0;
    std::int32_t WarningFlash = 0;
    std::int32_t WarningPopup = 0;
    std::int32_t WarningSound = 0;
    std::int32_t WarningSoundFile = 0;  // 1 to 10 built-in; otherwise WarningSoundCustom
    std::string WarningSoundCustom;
    std::int32_t FinishRed = 0;
    std::int32_t FinishBlink = 0;
    std::int32_t FinishFlash = 0;
    std::int32_t FinishPopup = 0;
    std::int32_t FinishSound = 0;
    std::int32_t FinishSoundFile = 0;  // 1 to 19 built-in; otherwise FinishSoundCustom
    std::string FinishSoundCustom;
    std::int32_t FinishAutoBreakTimer = 0;
    std::int32_t FinishAutoBreakTime = 0;  // 0 30 s, 1 1 min, 2 2, 3 5, 4 10, 5 15, 6 20, 7 30 min
    std::int32_t FinishAutoRestart = 0;
    std::int32_t Button1 = 0;  // preset lengths in seconds
    std::int32_t Button2 = 0;
    std::int32_t Button3 = 0;
    std::int32_t Button4 = 0;
    std::int32_t Button5 = 0;
    // Later keys, appended after the first 43 so that older copies still read
    // the file.
    std::int32_t Hotkeys = 0;  // the global hotkeys are registered
    std::string HotkeyStartPause;  // each a combination such as "Ctrl+Shift+Alt+Space"; empty = none
    std::string HotkeyReset;
    std::string HotkeyPreset1;
    std::string HotkeyPreset2;
    std::string HotkeyPreset3;
    std::string HotkeyPreset4;
    std::string HotkeyPreset5;
    std::string HotkeyAddMinute;
    std::string HotkeySubMinute;
    std::string HotkeyCountUp;
    std::string HotkeyBreak;
    std::string HotkeyShowHide;
    std::string HotkeyMenu;
    std::int32_t WarningVolume = 100;  // percent, 0 to 100
    std::int32_t FinishVolume = 100;
    std::string Monitor;  // the strip's monitor by device name, empty = the primary one
    std::string MonitorRect;  // its rectangle when chosen, "left,top,right,bottom"
    std::string BreakMonitor;  // the break screen's monitor, empty = the strip's
    std::string BreakMonitorRect;
    std::int32_t StageView = 0;  // the browser view's server runs
    std::int32_t StageViewLan = 0;  // 0 loopback only, 1 every interface
    std::int32_t StageViewPort = 8740;
    std::string StageViewToken;  // 32 hexadecimal digits, made when empty
    std::string StageControlToken;
};

extern Settings settings;

// Puts the first-run values into the record. Leaves AddinInstalled, the sound
// numbers and the custom sound paths alone.
void ResetSettings();

// One stored field: its key in the settings file, where it lives in the record
// and the value LoadSettings uses when an existing file lacks the key.
struct SettingKey {
    std::string_view key;
    std::int32_t Settings::*integer = nullptr;  // exactly one of integer / text is set
    std::string Settings::*text = nullptr;
    std::int32_t missingInteger = 0;
    std::string_view missingText;
};

// The stored fields, in the record's order: the first kOriginalKeyCount are
// the ones every copy of the program has written since the first.
std::span<const SettingKey> StoredSettingKeys();
constexpr std::size_t kOriginalKeyCount = 43;
