#pragma once
// The settings window's controls: their numbers, places and texts.

// Control numbers. OK and Cancel carry the numbers the dialog's keyboard
// handling gives to Enter and Esc.
namespace sw {
enum Control : int {
    Ok = 1,
    Cancel = 2,
    Tabs = 3,
    // "General"
    LanguageLabel = 100, Language, Edit, Addin, ShowClock, ShowTimer, ShowCost,
    SalaryLabel, Currency, Salary, Slash, Period,
    // "Buttons": row i (0 to 4) is ButtonLabel + i, Minutes + i, Colon + i, Seconds + i
    MinSecHeader = 200, Defaults, ButtonLabel = 210, Minutes = 220, Colon = 230, Seconds = 240,
    // "Display"
    LocationLabel = 300, Location, HeightLabel, Height, OnTop, Transparent, Mode3D, Clock24, Border,
    TaskbarProgress, MonitorChoiceLabel, MonitorChoice, BreakMonitorLabel, BreakMonitorChoice,
    // "Timer Warning"
    WarningTimeLabel = 400, WarningTime, WarningYellow, WarningBlink, WarningFlash, WarningFlashPreview,
    WarningPopup, WarningPopupPreview, WarningSound, WarningSoundList,
    WarningVolumeLabel, WarningVolume, WarningVolumeValue,
    // "Timer Finish"
    FinishRed = 500, FinishBlink, FinishFlash, FinishFlashPreview, FinishPopup, FinishPopupPreview,
    FinishSound, FinishSoundList, BreakTimer, BreakTime, AutoRestart,
    FinishVolumeLabel, FinishVolume, FinishVolumeValue,
    // "About"
    Home = 600, PreviousPage, NextPage, AboutImage,
    // "Hotkeys": command i (0 to 12, as app/hotkeys.h numbers them) is
    // HotkeyLabel + i, HotkeyField + i, HotkeyNote + i
    HotkeysOn = 700, HotkeyLabel = 710, HotkeyField = 730, HotkeyNote = 750,
    // "Stage View"
    StageOn = 800, StageLan, StagePortLabel, StagePort, StageAddressLabel, StageAddress, StageControlLabel,
    StageControlAddress, StageStatus, StageCopy, StageRenew, StageQr,
};

// Rows of the Hotkeys page: one a command.
constexpr int kHotkeyRows = 13;

// Tab pages, in the order of the tabs.
enum Page : int { General = 0, Buttons, Display, Warning, Finish, Hotkeys, Stage, About };
}  // namespace sw

// Adds every control to the open dialog, labelled in the active language;
// the taskbar box only when the system has a taskbar progress.
void BuildSettingsControls(bool hasTaskbarBox);
// Puts the active language's texts on every label, box, button and tab, and
// on the lists whose entries are messages, keeping each list's selection.
void RelabelSettingsControls();
// Places the controls as designed, each grown to fit its text, the window
// widened where a page or the tab titles need it.
void LayOutSettingsControls();
