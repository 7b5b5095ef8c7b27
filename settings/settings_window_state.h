#pragma once
// What the settings window keeps besides its controls, and the steps its
// opening and its event handling share.
#include <string>
#include <vector>

#include "platform/monitors.h"

struct SettingsWindowState {
    // Working copies of WarningSoundCustom and FinishSoundCustom: a chosen
    // file lands here and reaches the record on OK.
    std::string warningSoundPath;
    std::string finishSoundPath;
    // The time the custom warning entry shows ("01:15"), empty when it shows none.
    std::string customWarningTime;
    // The warning time list's entry before the user's latest choice.
    int warningEntry = -1;
    int aboutPage = 0;
    // The monitors as the window opened: its monitor lists name them.
    std::vector<platform::MonitorInfo> monitors;
};
extern SettingsWindowState settingsWindow;

// The sound lists' entries again (for the working paths and the active
// language), each keeping its selection.
void FillSoundLists();
// The monitor lists' entries again (for the active language), each keeping
// its selection; when none is selected, the stored choice's.
void FillMonitorLists();
// The custom warning entry again, for settingsWindow.customWarningTime.
void SetCustomWarningEntry();
// The percentages beside the volume sliders, for their positions and the
// active language.
void ShowVolumes();
// The buttons that lie over the About page's picture, painted again.
void RepaintAboutButtons();
