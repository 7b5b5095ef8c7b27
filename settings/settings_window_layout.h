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
    TaskbarProgress,
    // "Timer Warning"
    WarningTimeLabel = 400, WarningTime, WarningYellow, WarningBlink, WarningFlash, WarningFlashPreview,
    WarningPopup, WarningPopupPreview, WarningSound, WarningSoundList,
    // "Timer Finish"
    FinishRed = 500, FinishBlink, FinishFlash, FinishFlashPreview, FinishPopup, FinishPopupPreview,
    FinishSound, FinishSoundList, BreakTimer, BreakTime, AutoRestart,
    // "About"
    Home = 600, PreviousPage, NextPage, AboutImage,
    // "Stage View"
    StageOn = 700, StageLan, StagePortLabel, StagePort, StageAddressLabel, StageAddress, StageControlLabel,
    StageControlAddress, StageStatus, StageCopy, StageRenew, StageQr,
};

// Tab pages, in the order of the tabs.
enum Page : int { General = 0, Buttons, Display, Warning, Finish, About, Stage };
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
