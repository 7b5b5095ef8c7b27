#pragma once
// The settings window's rules over a plain record of what its controls hold:
// how the record fills them, how they go back into the record, which are
// enabled, and the texts of the entries that depend on the language.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/settings.h"

// What the controls hold. Lists hold an entry number, -1 when none is selected;
// check boxes 0 or 1; fields their text as typed.
struct SettingsControls {
    int language = -1;  // entry of kLanguageNames
    int addin = 0;
    bool addinEnabled = true;
    int showClock = 0, showTimer = 0, showCost = 0;
    int currency = -1;  // entry of kCurrencies
    std::string salary;
    int period = -1;
    std::array<std::string, 5> minutes, seconds;
    int location = -1, height = -1;
    int onTop = 0, transparent = 0, mode3D = 0, clock24 = 0, border = 0;
    bool hasTaskbarBox = false;  // the box exists on Windows 7 and later only
    int taskbarProgress = 0;
    int warningTime = -1;       // 0 the custom entry, 1 to 8 the presets
    std::string customWarning;  // the custom entry's text
    int warningYellow = 0, warningBlink = 0, warningFlash = 0, warningPopup = 0, warningSound = 0;
    int warningSoundEntry = -1;
    std::string warningSoundPath;  // the working copy of WarningSoundCustom
    int warningVolume = 100;       // percent
    int finishRed = 0, finishBlink = 0, finishFlash = 0, finishPopup = 0, finishSound = 0;
    int finishSoundEntry = -1;
    std::string finishSoundPath;
    int finishVolume = 100;
    int breakTimer = 0, breakTime = -1, autoRestart = 0;
};

constexpr std::array<const char*, 4> kCurrencies = {"$", "€", "£", "¥"};
constexpr int kWarningSounds = 10;  // built-in sounds the warning list offers
// What the salary and preset fields hold at most: 9, 3 and 2 digits.
constexpr int kSalaryDigits = 9;
constexpr int kMinutesDigits = 3;
constexpr int kSecondsDigits = 2;
constexpr std::int32_t kLargestSalary = 999999999;
constexpr std::int32_t kLargestMinutes = 999;
constexpr std::int32_t kLargestSeconds = 99;
constexpr int kFinishSounds = 19;

// The controls as the record fills them. A sound number beyond its list is
// replaced by 1 in the record itself. addinFound: a PowerPoint version was found.
SettingsControls FillSettingsControls(Settings& s, bool hasTaskbarBox, bool addinFound);

// What the add-in check box asks of the installer after the controls were applied.
enum class AddinStep { None, Install, Remove };

// Copies the controls into the record; the caller runs the add-in step and
// re-applies the warning time.
AddinStep ApplySettingsControls(const SettingsControls& c, Settings& s);

struct SettingsEnables {
    bool showClock = true, showTimer = true, showCost = true;
    bool height = true;
    bool warningBlink = true, finishBlink = true;
    bool warningSoundList = true, finishSoundList = true;  // and their volumes
    bool breakTime = true;
};
SettingsEnables SettingsControlEnables(const SettingsControls& c);

// "Custom..." alone for a preset, with " (MM:SS)" for a custom time (0 or less).
std::string CustomWarningEntry(std::int32_t warningTime);
// The minutes and seconds a custom entry shows, read with the active
// language's "Custom...": empty for the plain entry.
std::string CustomWarningTimeText(const std::string& entry);
// The custom entry in the active language for that time text (empty: the plain entry).
std::string CustomWarningEntryFor(const std::string& timeText);
// The warning time the custom entry stands for: minus its minutes and
// seconds, 0 for "Custom..." alone.
std::int32_t CustomWarningTime(const std::string& entry);
// The time the custom-time prompt proposes: the entry's own, else "01:30".
std::string ProposedCustomTime(const std::string& entry);

// The entries of the lists that follow the language. customSound is the sound
// list's last entry: the compacted path, or empty for the browse text.
std::vector<std::string> MessageEntries(int first, int last);
std::vector<std::string> SoundEntries(int builtIn, const std::string& customSound);
std::vector<std::string> WarningTimeEntries(const std::string& customEntry);
// A volume as the active language writes a percentage ("50%", "50 %").
std::string VolumeText(int percent);
