// The settings window's event loop: previews, custom sounds and warning
// times, the language switch and its file, OK and Cancel, and the closing.
#include "app/presentation.h"
#include "app/window_border.h"
#include "display/alerts.h"
#include "lang/messages.h"
#include "platform/dialog.h"
#include "platform/menu.h"
#include "platform/system.h"
#include "settings/stage_panel.h"
#include "settings/about_panel.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/settings_window.h"
#include "settings/settings_window_hotkeys.h"
#include "settings/settings_window_layout.h"
#include "settings/settings_window_rules.h"
#include "settings/settings_window_state.h"
#include "sound/alert_sound.h"
#include "timekeeping/time_values.h"

namespace {

constexpr int kWaitMs = 100;
constexpr int kBrowseMessage = 69;  // "Custom Sound (Browse...)"

// One of the two sound lists with the controls and path that go with it.
struct SoundSide {
    int box;
    int list;
    int volume;
    std::string SettingsWindowState::*path;
};
constexpr SoundSide kWarningSide{sw::WarningSound, sw::WarningSoundList, sw::WarningVolume,
                                 &SettingsWindowState::warningSoundPath};
constexpr SoundSide kFinishSide{sw::FinishSound, sw::FinishSoundList, sw::FinishVolume,
                                &SettingsWindowState::finishSoundPath};

// Plays the list's selected entry at the side's volume: a built-in sound, the
// user's file for the last entry, nothing for the browse entry.
void PreviewListEntry(const SoundSide& side) {
    const int entry = platform::SelectedControlEntry(side.list);
    const int last = static_cast<int>(platform::ControlEntries(side.list).size()) - 1;
    const int volume = platform::ControlValue(side.volume);
    if (entry < 0) return;
    if (entry == last) {
        PlayAlertSound(settingsWindow.*side.path, 0, volume);
    } else {
        PlayAlertSound("", entry, volume);
    }
}

void ChooseListEntry(const SoundSide& side) {
    if (platform::ControlText(side.list) != Message(kBrowseMessage)) {
        PreviewListEntry(side);
        return;
    }
    const std::string path = ChooseSoundFile(platform::ControlValue(side.volume));
    if (path.empty()) return;  // cancelled: the browse entry stays selected
    settingsWindow.*side.path = path;
    FillSoundLists();
    platform::SelectControlEntry(side.list, static_cast<int>(platform::ControlEntries(side.list).size()) - 1);
    LayOutSettingsControls();
}

void AskCustomWarningTime() {
    const std::vector<std::string> entries = platform::ControlEntries(sw::WarningTime);
    platform::PromptTexts prompt;
    prompt.title = "Horavel";
    prompt.question = Message(86) + " " + Message(88);
    prompt.answer = ProposedCustomTime(entries.empty() ? "" : entries.front());
    prompt.ok = Message(1);
    prompt.cancel = Message(2);
    const std::optional<std::string> answer = platform::InputPrompt(prompt);
    if (!answer) {  // cancelled: the list goes back to the entry it had
        platform::SelectControlEntry(sw::WarningTime, settingsWindow.warningEntry);
        return;
    }
    settingsWindow.customWarningTime = FormatMinutesSeconds(-ParseDuration(*answer));
    SetCustomWarningEntry();
    platform::SelectControlEntry(sw::WarningTime, 0);
    LayOutSettingsControls();
}

// Opens the selected language's file for editing, first writing the active
// table to it when there is none. With no entry selected, the language in use
// (a user's own language file) is the one meant, not a file named "_v167.txt".
void EditLanguageFile() {
    std::string name = platform::ControlText(sw::Language);
    if (name.empty()) name = settings.Language.empty() ? "English" : settings.Language;
    const std::string path = LanguageFilePath(name);
    if (EnsureLanguageFile(path)) {
        platform::OpenDocument(path);
    } else {
        platform::ShowMessageBox("Horavel", Message(127), platform::MessageBoxKind::Ok, platform::MessageBoxIcon::Error);
    }
}

void SetPresetDefaults() {
    const char* minutes[] = {"1", "5", "10", "15", "30"};
    for (int row = 0; row < 5; ++row) {
        platform::SetControlText(sw::Minutes + row, minutes[row]);
        platform::SetControlText(sw::Seconds + row, "0");
    }
}

// Cancel and the close box store nothing and undo a language only previewed.
void Cancel() {
    if (platform::ControlText(sw::Language) != settings.Language) LoadLanguage(settings.Language);
}

void TurnPage(int step) {
    settingsWindow.aboutPage = TurnAboutPage(settingsWindow.aboutPage, step);
    DrawAboutPage(settingsWindow.aboutPage);
}

bool IsPresetField(int control) {
    return (control >= sw::Minutes && control < sw::Minutes + 5) || (control >= sw::Seconds && control < sw::Seconds + 5);
}

void OnClick(int control) {
    switch (control) {
        case sw::Edit: EditLanguageFile(); break;
        case sw::Defaults: SetPresetDefaults(); break;
        case sw::WarningFlashPreview: ScreenFlash(1); break;
        case sw::WarningPopupPreview: PreviewAlertPopup(1); break;
        case sw::FinishFlashPreview: ScreenFlash(0); break;
        case sw::FinishPopupPreview: PreviewAlertPopup(0); break;
        case sw::WarningSound:
        case sw::FinishSound: {
            const SoundSide& side = control == sw::WarningSound ? kWarningSide : kFinishSide;
            if (platform::ControlChecked(side.box)) PreviewListEntry(side);
            UpdateSettingsControls();
            break;
        }
        case sw::PreviousPage: TurnPage(-1); break;
        case sw::NextPage: TurnPage(1); break;
        case sw::Home: platform::OpenWebPage(std::string(about::HomePage)); break;
        case sw::HotkeysOn:
            OnHotkeysBox();
            LayOutSettingsControls();
            break;
        case sw::StageLan: ShowStageAddress(); break;
        case sw::StageCopy: CopyStageAddress(); break;
        case sw::StageRenew: RenewStagePanelTokens(); break;
        case sw::ShowClock:
        case sw::ShowTimer:
        case sw::ShowCost:
        case sw::WarningYellow:
        case sw::FinishRed:
        case sw::BreakTimer: UpdateSettingsControls(); break;
        default: break;
    }
}

void OnSelect(int control) {
    switch (control) {
        case sw::Language:
            LoadLanguage(platform::ControlText(sw::Language));
            RelabelSettingsWindow();
            break;
        case sw::WarningTime:
            if (platform::SelectedControlEntry(sw::WarningTime) == 0) AskCustomWarningTime();
            settingsWindow.warningEntry = platform::SelectedControlEntry(sw::WarningTime);
            break;
        case sw::WarningSoundList: ChooseListEntry(kWarningSide); break;
        case sw::FinishSoundList: ChooseListEntry(kFinishSide); break;
        // Let go of at a new volume: the sound is heard as loud as it will be.
        case sw::WarningVolume:
            ShowVolumes();
            PreviewListEntry(kWarningSide);
            break;
        case sw::FinishVolume:
            ShowVolumes();
            PreviewListEntry(kFinishSide);
            break;
        case sw::Location: UpdateSettingsControls(); break;
        default: break;
    }
}

// Handles one event; true when it closes the window.
bool HandleEvent(const platform::DialogEvent& e) {
    switch (e.kind) {
        case platform::DialogEventKind::None: RepaintAboutButtons(); return false;
        case platform::DialogEventKind::TabChanged: StopAlertSound(); return false;
        case platform::DialogEventKind::Focused:
            if (IsPresetField(e.control)) platform::SelectAllText(e.control);
            return false;
        case platform::DialogEventKind::Selected: OnSelect(e.control); return false;
        case platform::DialogEventKind::Sliding: ShowVolumes(); return false;
        case platform::DialogEventKind::Close: Cancel(); return true;
        case platform::DialogEventKind::KeyTyped:
            OnKeyTyped(e.control);
            LayOutSettingsControls();
            return false;
        case platform::DialogEventKind::Clicked:
            if (e.control == sw::Ok) {
                ApplySettingsWindow();
                SaveSettings();
                return true;
            }
            if (e.control == sw::Cancel) {
                Cancel();
                return true;
            }
            OnClick(e.control);
            return false;
    }
    return false;
}

}  // namespace

void RunSettingsWindow() {
    if (!platform::DialogIsOpen()) return;
    while (!HandleEvent(platform::WaitDialogEvent(kWaitMs))) {
    }
    StopAlertSound();
    ReturnFocusToSlideshow();
    platform::CloseDialog();
    if (settings.BorderChanged == 1) ApplyBorderChange();
}
