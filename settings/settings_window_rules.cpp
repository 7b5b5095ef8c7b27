#include "settings/settings_window_rules.h"

#include <algorithm>

#include "lang/messages.h"
#include "platform/sound_volume.h"
#include "timekeeping/time_values.h"

namespace {

constexpr int kCustomMessage = 96;     // "Custom..."
constexpr int kBrowseMessage = 69;     // "Custom Sound (Browse...)"
constexpr int kFirstSoundMessage = 50;
constexpr int kWarningPresets = 8;
constexpr int kPercentMessage = 226;  // "[PERCENT]%"

template <std::size_t N>
int IndexOf(const std::array<const char*, N>& names, const std::string& text) {
    const auto it = std::find_if(names.begin(), names.end(), [&](const char* n) { return text == n; });
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

int LanguageIndex(const std::string& name) {
    const auto it = std::find(kLanguageNames.begin(), kLanguageNames.end(), name);
    return it == kLanguageNames.end() ? -1 : static_cast<int>(it - kLanguageNames.begin());
}

// An entry number the list has, else -1 (nothing selected).
int Entry(std::int32_t value, int count) { return value >= 0 && value < count ? value : -1; }

// A sound number the list cannot show is replaced by 1 in the record itself.
int SoundEntry(std::int32_t& stored, int builtIn) {
    if (stored < 0 || stored > builtIn + 1) stored = 1;
    return stored;
}

// A list with nothing selected leaves its field as it was.
void StoreEntry(int entry, std::int32_t& field) {
    if (entry >= 0) field = entry;
}

// A digits field's number: its fields take digits only, but a pasted sign or
// a stored value wider than the field still reads as at least 0 and at most
// the field's digits ("-5" reads as 0).
std::int32_t ReadCount(const std::string& text, std::int32_t largest) {
    return std::clamp(ReadInteger(text), 0, largest);
}

std::int32_t ButtonSeconds(const std::string& minutes, const std::string& seconds) {
    return 60 * ReadCount(minutes, kLargestMinutes) + ReadCount(seconds, kLargestSeconds);
}

}  // namespace

SettingsControls FillSettingsControls(Settings& s, bool hasTaskbarBox, bool addinFound) {
    SettingsControls c;
    c.language = LanguageIndex(s.Language);
    c.addin = s.AddinInstalled;
    c.addinEnabled = s.AddinInstalled != 0 || addinFound;
    c.showClock = s.ShowMeetingClock;
    c.showTimer = s.ShowTimer;
    c.showCost = s.ShowCostCounter;
    c.currency = IndexOf(kCurrencies, s.CostCurrency);
    c.salary = std::to_string(s.CostSalary);
    c.period = Entry(s.CostPeriod, 4);
    const std::int32_t buttons[] = {s.Button1, s.Button2, s.Button3, s.Button4, s.Button5};
    for (std::size_t i = 0; i < 5; ++i) {
        const std::int32_t m = buttons[i] / 60;
        c.minutes[i] = std::to_string(m);
        c.seconds[i] = std::to_string(buttons[i] - 60 * m);
    }
    c.location = Entry(s.StartupLocation, 4);
    c.height = Entry(s.StartupHeight, 4);
    c.onTop = s.AlwaysOnTop;
    c.transparent = s.Transparent;
    c.mode3D = s.Mode3D;
    c.clock24 = s.Clock24hr;
    c.border = s.ShowWinBorder;
    c.hasTaskbarBox = hasTaskbarBox;
    c.taskbarProgress = hasTaskbarBox ? s.ShowTaskBarProgress : 0;
    c.customWarning = CustomWarningEntry(s.WarningTime);
    c.warningTime = s.WarningTime > 0 ? Entry(s.WarningTime, kWarningPresets + 1) : 0;
    c.warningYellow = s.WarningYellow;
    c.warningBlink = s.WarningBlink;
    c.warningFlash = s.WarningFlash;
    c.warningPopup = s.WarningPopup;
    c.warningSound = s.WarningSound;
    c.warningSoundEntry = SoundEntry(s.WarningSoundFile, kWarningSounds);
    c.warningSoundPath = s.WarningSoundCustom;
    c.warningVolume = platform::ClampVolume(s.WarningVolume);
    c.finishRed = s.FinishRed;
    c.finishBlink = s.FinishBlink;
    c.finishFlash = s.FinishFlash;
    c.finishPopup = s.FinishPopup;
    c.finishSound = s.FinishSound;
    c.finishSoundEntry = SoundEntry(s.FinishSoundFile, kFinishSounds);
    c.finishSoundPath = s.FinishSoundCustom;
    c.finishVolume = platform::ClampVolume(s.FinishVolume);
    c.breakTimer = s.FinishAutoBreakTimer;
    c.breakTime = Entry(s.FinishAutoBreakTime, 8);
    c.autoRestart = s.FinishAutoRestart;
    return c;
}

AddinStep ApplySettingsControls(const SettingsControls& c, Settings& s) {
    const std::string language = c.language >= 0 ? std::string(kLanguageNames[c.language]) : std::string();
    if (language != s.Language) s.Language = language;
    AddinStep addin = AddinStep::None;
    if (c.addin != s.AddinInstalled) {
        s.AddinInstalled = c.addin;
        addin = c.addin == 1 ? AddinStep::Install : AddinStep::Remove;
    }
    s.ShowMeetingClock = c.showClock;
    s.ShowTimer = c.showTimer;
    s.ShowCostCounter = c.showCost;
    if (c.currency >= 0) s.CostCurrency = kCurrencies[c.currency];
    s.CostSalary = ReadCount(c.salary, kLargestSalary);
    StoreEntry(c.period, s.CostPeriod);
    StoreEntry(c.location, s.StartupLocation);
    StoreEntry(c.height, s.StartupHeight);
    s.Transparent = c.transparent;
    s.AlwaysOnTop = c.onTop;
    s.Mode3D = c.mode3D;
    s.Clock24hr = c.clock24;
    if (c.border == s.ShowWinBorder) {
        s.BorderChanged = 0;
    } else {
        s.ShowWinBorder = c.border;
        s.BorderChanged = 1;
    }
    s.ShowTaskBarProgress = c.hasTaskbarBox ? c.taskbarProgress : 0;
    std::int32_t* buttons[] = {&s.Button1, &s.Button2, &s.Button3, &s.Button4, &s.Button5};
    for (std::size_t i = 0; i < 5; ++i) *buttons[i] = ButtonSeconds(c.minutes[i], c.seconds[i]);
    if (c.warningTime == 0) {
        s.WarningTime = CustomWarningTime(c.customWarning);
    } else {
        StoreEntry(c.warningTime, s.WarningTime);
    }
    s.WarningYellow = c.warningYellow;
    s.WarningBlink = c.warningBlink;
    s.WarningFlash = c.warningFlash;
    s.WarningPopup = c.warningPopup;
    s.WarningSound = c.warningSound;
    StoreEntry(c.warningSoundEntry, s.WarningSoundFile);
    s.WarningSoundCustom = c.warningSoundPath;
    s.WarningVolume = platform::ClampVolume(c.warningVolume);
    s.FinishRed = c.finishRed;
    s.FinishBlink = c.finishBlink;
    s.FinishFlash = c.finishFlash;
    s.FinishPopup = c.finishPopup;
    s.FinishSound = c.finishSound;
    StoreEntry(c.finishSoundEntry, s.FinishSoundFile);
    s.FinishSoundCustom = c.finishSoundPath;
    s.FinishVolume = platform::ClampVolume(c.finishVolume);
    s.FinishAutoBreakTimer = c.breakTimer;
    StoreEntry(c.breakTime, s.FinishAutoBreakTime);
    s.FinishAutoRestart = c.autoRestart;
    return addin;
}

SettingsEnables SettingsControlEnables(const SettingsControls& c) {
    SettingsEnables e;
    // At least one readout always stays shown: the only ticked box cannot be unticked.
    if (c.showClock + c.showTimer + c.showCost == 1) {
        e.showClock = c.showClock == 0;
        e.showTimer = c.showTimer == 0;
        e.showCost = c.showCost == 0;
    }
    e.height = c.location == 2 || c.location == 3;
    e.warningBlink = c.warningYellow != 0;
    e.finishBlink = c.finishRed != 0;
    e.warningSoundList = c.warningSound != 0;
    e.finishSoundList = c.finishSound != 0;
    e.breakTime = c.breakTimer != 0;
    return e;
}

std::string CustomWarningEntry(std::int32_t warningTime) {
    return CustomWarningEntryFor(warningTime > 0 ? std::string() : FormatMinutesSeconds(warningTime));
}

// What stands between "Custom... (" and the closing ")": the whole time even
// from 100 minutes on, where it is longer than five characters.
std::string CustomWarningTimeText(const std::string& entry) {
    const std::string prefix = Message(kCustomMessage) + " (";
    if (entry.size() <= prefix.size() || entry.compare(0, prefix.size(), prefix) != 0) return {};
    std::string part = entry.substr(prefix.size());
    if (part.back() == ')') part.pop_back();
    return part;
}

std::string CustomWarningEntryFor(const std::string& timeText) {
    return timeText.empty() ? Message(kCustomMessage) : Message(kCustomMessage) + " (" + timeText + ")";
}

std::int32_t CustomWarningTime(const std::string& entry) { return -ParseDuration(CustomWarningTimeText(entry)); }

std::string ProposedCustomTime(const std::string& entry) {
    const std::string time = CustomWarningTimeText(entry);
    return time.empty() ? "01:30" : time;
}

std::vector<std::string> MessageEntries(int first, int last) {
    std::vector<std::string> entries;
    for (int n = first; n <= last; ++n) entries.push_back(Message(n));
    return entries;
}

std::vector<std::string> SoundEntries(int builtIn, const std::string& customSound) {
    std::vector<std::string> entries = MessageEntries(kFirstSoundMessage - 1, kFirstSoundMessage - 1 + builtIn);
    entries.front() = Message(kBrowseMessage);
    entries.push_back(customSound.empty() ? Message(kBrowseMessage) : customSound);
    return entries;
}

std::string VolumeText(int percent) {
    std::string text = Message(kPercentMessage);
    const std::string_view placeholder = "[PERCENT]";
    const std::string number = std::to_string(platform::ClampVolume(percent));
    const std::size_t at = text.find(placeholder);
    return at == std::string::npos ? number : text.replace(at, placeholder.size(), number);
}

std::vector<std::string> WarningTimeEntries(const std::string& customEntry) {
    std::vector<std::string> entries = MessageEntries(36, 36 + kWarningPresets);
    entries.front() = customEntry;
    return entries;
}
