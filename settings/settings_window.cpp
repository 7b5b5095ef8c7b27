#include "settings/settings_window.h"

#include "app/monitor_choice.h"
#include "app/monitors.h"
#include "app/timer_engine.h"
#include "lang/messages.h"
#include "office/addin.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/monitors.h"
#include "platform/system.h"
#include "settings/about_panel.h"
#include "settings/stage_panel.h"
#include "settings/settings.h"
#include "settings/settings_window_hotkeys.h"
#include "settings/settings_window_layout.h"
#include "settings/settings_window_rules.h"
#include "settings/settings_window_state.h"

SettingsWindowState settingsWindow;

namespace {

constexpr int kInnerWidth = 428;
constexpr int kInnerHeight = 370;
constexpr int kCompactWidth = 200;  // pixels of the window's font for a sound file's path

struct Binding {
    int control;
    int SettingsControls::*field;
};

// Check boxes and lists with a field of their own (the taskbar box is apart: it may not exist).
constexpr Binding kCheckBoxes[] = {
    {sw::Addin, &SettingsControls::addin},
    {sw::ShowClock, &SettingsControls::showClock},
    {sw::ShowTimer, &SettingsControls::showTimer},
    {sw::ShowCost, &SettingsControls::showCost},
    {sw::OnTop, &SettingsControls::onTop},
    {sw::Transparent, &SettingsControls::transparent},
    {sw::Mode3D, &SettingsControls::mode3D},
    {sw::Clock24, &SettingsControls::clock24},
    {sw::Border, &SettingsControls::border},
    {sw::WarningYellow, &SettingsControls::warningYellow},
    {sw::WarningBlink, &SettingsControls::warningBlink},
    {sw::WarningFlash, &SettingsControls::warningFlash},
    {sw::WarningPopup, &SettingsControls::warningPopup},
    {sw::WarningSound, &SettingsControls::warningSound},
    {sw::FinishRed, &SettingsControls::finishRed},
    {sw::FinishBlink, &SettingsControls::finishBlink},
    {sw::FinishFlash, &SettingsControls::finishFlash},
    {sw::FinishPopup, &SettingsControls::finishPopup},
    {sw::FinishSound, &SettingsControls::finishSound},
    {sw::BreakTimer, &SettingsControls::breakTimer},
    {sw::AutoRestart, &SettingsControls::autoRestart},
};

constexpr Binding kLists[] = {
    {sw::Language, &SettingsControls::language},
    {sw::Currency, &SettingsControls::currency},
    {sw::Period, &SettingsControls::period},
    {sw::Location, &SettingsControls::location},
    {sw::Height, &SettingsControls::height},
    {sw::WarningTime, &SettingsControls::warningTime},
    {sw::WarningSoundList, &SettingsControls::warningSoundEntry},
    {sw::FinishSoundList, &SettingsControls::finishSoundEntry},
    {sw::BreakTime, &SettingsControls::breakTime},
};

// The last entry of a sound list: the file's path shortened to fit, or
// nothing (the browse text) when there is no file to play.
std::string SoundListCustomEntry(const std::string& path) {
    if (path.empty() || !platform::FileExists(path)) return {};
    return platform::CompactPath(path, kCompactWidth);
}

SettingsControls ReadControls() {
    SettingsControls c;
    for (const Binding& b : kCheckBoxes) c.*b.field = platform::ControlChecked(b.control) ? 1 : 0;
    for (const Binding& b : kLists) c.*b.field = platform::SelectedControlEntry(b.control);
    c.hasTaskbarBox = platform::ControlExists(sw::TaskbarProgress);
    c.taskbarProgress = platform::ControlChecked(sw::TaskbarProgress) ? 1 : 0;
    c.salary = platform::ControlText(sw::Salary);
    for (int row = 0; row < 5; ++row) {
        c.minutes[row] = platform::ControlText(sw::Minutes + row);
        c.seconds[row] = platform::ControlText(sw::Seconds + row);
    }
    const std::vector<std::string> warningEntries = platform::ControlEntries(sw::WarningTime);
    if (!warningEntries.empty()) c.customWarning = warningEntries.front();
    c.warningSoundPath = settingsWindow.warningSoundPath;
    c.finishSoundPath = settingsWindow.finishSoundPath;
    c.warningVolume = platform::ControlValue(sw::WarningVolume);
    c.finishVolume = platform::ControlValue(sw::FinishVolume);
    return c;
}

void WriteControls(const SettingsControls& c) {
    for (const Binding& b : kCheckBoxes) platform::SetControlChecked(b.control, c.*b.field != 0);
    platform::SetControlChecked(sw::TaskbarProgress, c.taskbarProgress != 0);
    platform::EnableControl(sw::Addin, c.addinEnabled);
    platform::SetControlText(sw::Salary, c.salary);
    for (int row = 0; row < 5; ++row) {
        platform::SetControlText(sw::Minutes + row, c.minutes[row]);
        platform::SetControlText(sw::Seconds + row, c.seconds[row]);
    }
    platform::SetControlEntries(sw::WarningTime, WarningTimeEntries(c.customWarning));
    FillSoundLists();
    for (const Binding& b : kLists) platform::SelectControlEntry(b.control, c.*b.field);
    platform::SetControlValue(sw::WarningVolume, c.warningVolume);
    platform::SetControlValue(sw::FinishVolume, c.finishVolume);
    ShowVolumes();
}

}  // namespace

void FillSoundLists() {
    const int warning = platform::SelectedControlEntry(sw::WarningSoundList);
    const int finish = platform::SelectedControlEntry(sw::FinishSoundList);
    platform::SetControlEntries(sw::WarningSoundList,
                                SoundEntries(kWarningSounds, SoundListCustomEntry(settingsWindow.warningSoundPath)));
    platform::SetControlEntries(sw::FinishSoundList,
                                SoundEntries(kFinishSounds, SoundListCustomEntry(settingsWindow.finishSoundPath)));
    platform::SelectControlEntry(sw::WarningSoundList, warning);
    platform::SelectControlEntry(sw::FinishSoundList, finish);
}

void FillMonitorLists() {
    const struct {
        int control, firstMessage;
        const std::string &device, &rect;
    } lists[] = {{sw::MonitorChoice, 232, settings.Monitor, settings.MonitorRect},
                 {sw::BreakMonitorChoice, 233, settings.BreakMonitor, settings.BreakMonitorRect}};
    for (const auto& l : lists) {
        const int selected = platform::SelectedControlEntry(l.control);
        const MonitorList list = MonitorChoices(settingsWindow.monitors, l.firstMessage, l.device, l.rect);
        platform::SetControlEntries(l.control, list.entries);
        platform::SelectControlEntry(l.control, selected >= 0 ? selected : list.selected);
    }
}

void OpenSettingsWindow() {
    if (!platform::OpenDialog(kInnerWidth, kInnerHeight, "Horavel " + Message(113))) return;
    const bool hasTaskbarBox = platform::IsWindows7OrLater();
    BuildSettingsControls(hasTaskbarBox);
    const SettingsControls c = FillSettingsControls(settings, hasTaskbarBox, !OfficeVersion.empty());
    settingsWindow.warningSoundPath = c.warningSoundPath;
    settingsWindow.finishSoundPath = c.finishSoundPath;
    settingsWindow.customWarningTime = CustomWarningTimeText(c.customWarning);
    WriteControls(c);
    settingsWindow.monitors = platform::ListNamedMonitors();
    FillMonitorLists();
    settingsWindow.warningEntry = c.warningTime;
    settingsWindow.aboutPage = 0;
    DrawAboutPage(0);
    FillHotkeyControls();
    FillStagePanel();
    UpdateSettingsControls();
    LayOutSettingsControls();
    platform::ShowDialog();
    platform::FocusControl(sw::Tabs);
}

void ApplySettingsWindow() {
    switch (ApplySettingsControls(ReadControls(), settings)) {
        case AddinStep::Install: InstallAddin(); break;
        case AddinStep::Remove: RemoveAddin(); break;
        case AddinStep::None: break;
    }
    ApplyHotkeyControls();
    ApplyStagePanel(settings);
    ApplyWarningTime();
    const std::string monitor = settings.Monitor + settings.MonitorRect;
    StoreMonitorChoice(settingsWindow.monitors, platform::SelectedControlEntry(sw::MonitorChoice), settings.Monitor,
                       settings.MonitorRect);
    StoreMonitorChoice(settingsWindow.monitors, platform::SelectedControlEntry(sw::BreakMonitorChoice),
                       settings.BreakMonitor, settings.BreakMonitorRect);
    if (settings.Monitor + settings.MonitorRect != monitor) NoteMonitorChange();  // the strip moves there
}

void UpdateSettingsControls() {
    const SettingsEnables e = SettingsControlEnables(ReadControls());
    platform::EnableControl(sw::ShowClock, e.showClock);
    platform::EnableControl(sw::ShowTimer, e.showTimer);
    platform::EnableControl(sw::ShowCost, e.showCost);
    platform::EnableControl(sw::Height, e.height);
    platform::EnableControl(sw::WarningBlink, e.warningBlink);
    platform::EnableControl(sw::FinishBlink, e.finishBlink);
    for (int control : {sw::WarningSoundList, sw::WarningVolumeLabel, sw::WarningVolume, sw::WarningVolumeValue})
        platform::EnableControl(control, e.warningSoundList);
    for (int control : {sw::FinishSoundList, sw::FinishVolumeLabel, sw::FinishVolume, sw::FinishVolumeValue})
        platform::EnableControl(control, e.finishSoundList);
    platform::EnableControl(sw::BreakTime, e.breakTime);
}

void RelabelSettingsWindow() {
    platform::SetDialogTitle("Horavel " + Message(113));
    RelabelSettingsControls();
    SetCustomWarningEntry();
    FillSoundLists();
    FillMonitorLists();
    ShowVolumes();
    ShowHotkeyNotes();
    ShowStageAddress();
    LayOutSettingsControls();
}

void ShowVolumes() {
    platform::SetControlText(sw::WarningVolumeValue, VolumeText(platform::ControlValue(sw::WarningVolume)));
    platform::SetControlText(sw::FinishVolumeValue, VolumeText(platform::ControlValue(sw::FinishVolume)));
}

void SetCustomWarningEntry() {
    platform::SetControlEntry(sw::WarningTime, 0, CustomWarningEntryFor(settingsWindow.customWarningTime));
}

void DrawAboutPage(int page) {
    RenderAboutPage(page);
    platform::SetControlImage(sw::AboutImage, about::PageImage);
    RepaintAboutButtons();
}

void RepaintAboutButtons() {
    for (int control : {sw::Home, sw::PreviousPage, sw::NextPage}) platform::RepaintControl(control);
}
