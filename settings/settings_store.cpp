#include "settings/settings_store.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "office/addin.h"
#include "platform/files.h"
#include "settings/ini_file.h"
#include "settings/registry.h"
#include "settings/settings.h"

std::string SettingsFolder;

namespace {

constexpr std::string_view kGroup = "Horavel";
constexpr std::string_view kFileName = "HV_Settings.ini";
constexpr std::string_view kProgramKey = "Software\\Horavel";

// A real settings file is about a kilobyte; anything past this bound is not
// one, and reading it must not cost the start-up its memory.
constexpr std::size_t kMaxSettingsBytes = 1 << 20;

// The file's key order, which is not the record's for the first 43 keys; the
// later ones follow in the record's order.
constexpr std::string_view kOriginalSaveOrder[] = {
    "Language", "ShowMeetingClock", "ShowTimer", "ShowCostCounter", "NumOfParticipants", "CostCurrency",
    "CostSalary", "CostPeriod", "StartupLocation", "StartupHeight", "StartupWinPosn\\left",
    "StartupWinPosn\\top", "StartupWinPosn\\right", "StartupWinPosn\\bottom", "Transparent", "AlwaysOnTop",
    "3D Mode", "24hr Clock", "ShowWinBorder", "ShowTaskBarProgress", "WarningYellow", "WarningBlink",
    "WarningTime", "WarningFlash", "WarningPopup", "WarningSound", "WarningSoundFile", "WarningSoundCustom",
    "FinishRed", "FinishBlink", "FinishFlash", "FinishPopup", "FinishSound", "FinishSoundFile",
    "FinishSoundCustom", "FinishAutoBreakTimer", "FinishAutoBreakTime", "FinishAutoRestart", "Button1",
    "Button2", "Button3", "Button4", "Button5",
};
static_assert(std::size(kOriginalSaveOrder) == kOriginalKeyCount);

std::vector<std::string_view> SaveOrder() {
    std::vector<std::string_view> order(std::begin(kOriginalSaveOrder), std::end(kOriginalSaveOrder));
    for (const SettingKey& k : StoredSettingKeys().subspan(kOriginalKeyCount)) order.push_back(k.key);
    return order;
}

std::string FindSettingsFolder() {
    std::string folder = platform::AppDataFolder();
    if (folder.empty()) return {};
    if (folder.back() != '\\') folder += '\\';
    folder += kGroup;
    folder += '\\';
    if (!platform::DirectoryExists(folder) && !platform::CreateFolder(folder)) return "C:\\";
    return folder;
}

std::string SettingsFilePath() { return SettingsFolder + std::string(kFileName); }

// The add-in's launch step finds the program through this value, so it
// follows the program wherever it was moved.
void RecordProgramFolder() {
    const std::string key(kProgramKey);
    std::string stored;
    if (RegKeyExists(RegistryRoot::CurrentUser, key, "")) {
        // A value of another type leaves RegLastValue alone: it must not
        // bring in an older read.
        RegLastValue.clear();
        if (RegGetValue(RegistryRoot::CurrentUser, key, "", "")) stored = RegLastValue;
    } else {
        RegCreateKey(RegistryRoot::CurrentUser, key, "");
    }
    std::string folder = platform::ProgramFilePath();
    folder.erase(folder.find_last_of('\\') + 1);  // npos + 1 == 0: no folder at all
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    if (stored != folder) {
        RegSetValue(RegistryRoot::CurrentUser, key, "", folder, static_cast<int>(platform::kRegistryText), "");
    }
}

std::string NormaliseLanguage(const std::string& name) {
    if (name == "Francais") return "Fran\xC3\xA7" "ais";
    if (name == "Espanol") return "Espa\xC3\xB1" "ol";
    if (name == "Portugues") return "Portugu\xC3\xAA" "s";
    if (name == "PortuguesBR") return "Portugu\xC3\xAA" "sBR";
    return name;
}

std::optional<std::string> Lookup(const IniGroup* group, std::string_view key) {
    return group ? FindIniValue(*group, key) : std::nullopt;
}

std::int32_t ReadInteger(const IniGroup* group, std::string_view key, std::int32_t missing) {
    std::optional<std::string> value = Lookup(group, key);
    return value ? ParseLeadingInteger(*value) : missing;
}

// readable: the content is the file's; else the file is there but could not
// be read, and only the keys' defaults are known.
void LoadFromFile(const std::string& content, bool readable) {
    const std::vector<IniGroup> groups = ParseIni(content);
    const IniGroup* group = FindIniGroup(groups, kGroup);

    settings.Language = NormaliseLanguage(Lookup(group, "Language").value_or("English"));
    // A file without StartupLocation was not written by this program: set
    // the add-in up as for a fresh installation. A file that could not be
    // read says nothing of that.
    if (readable && ReadInteger(group, "StartupLocation", 99) == 99) InstallAddin();
    settings.AddinInstalled = CheckAddin();
    for (const SettingKey& k : StoredSettingKeys()) {
        if (k.text == &Settings::Language) continue;
        if (k.integer) {
            settings.*(k.integer) = ReadInteger(group, k.key, k.missingInteger);
        } else {
            settings.*(k.text) = Lookup(group, k.key).value_or(std::string(k.missingText));
        }
    }
    settings.WarningVolume = std::clamp(settings.WarningVolume, 0, 100);
    settings.FinishVolume = std::clamp(settings.FinishVolume, 0, 100);
    if (settings.StageViewPort < 1 || settings.StageViewPort > 65535) settings.StageViewPort = 8740;
}

// A save writes the whole file, so a file that ends its last line and holds
// every key is one that a save finished writing.
bool IsCompleteSave(const std::string& content) {
    if (content.size() < 2 || content.compare(content.size() - 2, 2, "\r\n") != 0) return false;
    const std::vector<IniGroup> groups = ParseIni(content);
    const IniGroup* group = FindIniGroup(groups, kGroup);
    if (!group) return false;
    // An older copy's save holds only the first keys and is complete too.
    for (std::string_view key : kOriginalSaveOrder)
        if (!FindIniValue(*group, key)) return false;
    return true;
}

// A save that was cut short leaves its temporary file beside the settings
// file (see WriteFileAtomically). When the settings file itself is missing,
// the newest complete one is the user's latest settings and takes its place;
// every other one is removed.
void TidyInterruptedSaves(const std::string& path) {
    const std::vector<platform::FoundFile> temps =
        platform::FindFiles(SettingsFolder, std::string(kFileName) + ".*.tmp");
    if (!platform::FileExists(path) && !platform::DirectoryExists(path)) {
        const platform::FoundFile* newest = nullptr;
        for (const platform::FoundFile& t : temps) {
            const auto content = platform::ReadWholeFile(SettingsFolder + t.name, kMaxSettingsBytes);
            if (content && IsCompleteSave(*content) && (!newest || t.writeTime > newest->writeTime)) newest = &t;
        }
        if (newest) platform::MoveFileInto(SettingsFolder + newest->name, path);
    }
    for (const platform::FoundFile& t : temps) platform::RemoveFile(SettingsFolder + t.name);
}

}  // namespace

void LoadSettings() {
    SettingsFolder = FindSettingsFolder();
    RecordProgramFolder();

    const std::string path = SettingsFilePath();
    TidyInterruptedSaves(path);
    std::optional<std::string> content = platform::ReadWholeFile(path, kMaxSettingsBytes);
    if (content) {
        LoadFromFile(*content, true);
    } else if (platform::FileExists(path) || platform::DirectoryExists(path)) {
        // Something is there but cannot be read (too large, a folder, locked):
        // run on the defaults and leave it alone rather than overwrite it or
        // install the add-in as a first run would.
        LoadFromFile({}, false);
    } else {
        ResetSettings();
        SaveSettings();
        InstallAddin();
        settings.AddinInstalled = CheckAddin();
    }
    if (settings.NumOfParticipants == 0) settings.NumOfParticipants = 10;
}

void SaveSettings() {
    IniGroup group{std::string(kGroup), {}};
    for (std::string_view key : SaveOrder()) {
        for (const SettingKey& k : StoredSettingKeys()) {
            if (k.key != key) continue;
            group.entries.emplace_back(k.key, k.integer ? std::to_string(settings.*(k.integer)) : settings.*(k.text));
        }
    }
    // A failed save is silent: the program runs on with the values in memory.
    platform::WriteFileAtomically(SettingsFilePath(), FormatIni(group));
}
