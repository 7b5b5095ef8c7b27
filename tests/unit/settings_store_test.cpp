#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <optional>

#include "settings/registry.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_registry.h"

namespace {

const std::string kFolder = "C:\\Users\\tester\\AppData\\Roaming\\Horavel\\";
const std::string kFile = kFolder + "HV_Settings.ini";
const std::string kBom = "\xEF\xBB\xBF";

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::ResetRegistry();
        settings = Settings{};
        SettingsFolder.clear();
        RegLastValue.clear();
    }

    // Loads a file with exactly these bytes.
    void LoadFile(const std::string& bytes) {
        state().files[kFile] = bytes;
        LoadSettings();
    }

    static fake::State& state() { return fake::state; }
};

std::string GoldenFirstRun() {
    std::ifstream in(HORAVEL_SOURCE_DIR "/tests/unit/golden/HV_Settings_first_run.ini", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Fields that differ from the missing-key defaults, by key.
std::vector<std::string> FieldsAwayFromMissingDefaults() {
    std::vector<std::string> away;
    for (const SettingKey& k : StoredSettingKeys()) {
        const bool same = k.integer ? settings.*(k.integer) == k.missingInteger : settings.*(k.text) == k.missingText;
        if (!same) away.emplace_back(k.key);
    }
    return away;
}

}  // namespace

TEST_F(SettingsStore, FirstRunCreatesTheFolderAndWritesTheFirstRunFile) {
    const std::string golden = GoldenFirstRun();
    ASSERT_FALSE(golden.empty());

    LoadSettings();
    EXPECT_EQ(SettingsFolder, kFolder);
    EXPECT_EQ(state().folders.count("C:\\Users\\tester\\AppData\\Roaming\\Horavel"), 1u);
    ASSERT_EQ(state().files.count(kFile), 1u);
    EXPECT_EQ(state().files[kFile], golden);
    EXPECT_EQ(settings.Clock24hr, 0);
    EXPECT_EQ(settings.WarningSoundFile, 0);
    EXPECT_EQ(settings.NumOfParticipants, 10);
}

TEST_F(SettingsStore, FolderFallsBackToTheCurrentDirectoryOrTheDriveRoot) {
    state().appDataFolder = "D:\\Profile\\";
    LoadSettings();
    EXPECT_EQ(SettingsFolder, "D:\\Profile\\Horavel\\");

    SetUp();
    state().appDataFolder = "";
    LoadSettings();
    EXPECT_EQ(SettingsFolder, "");
    EXPECT_EQ(state().files.count("HV_Settings.ini"), 1u);

    SetUp();
    state().failWrites = true;  // the folder cannot be created (nor the file written)
    LoadSettings();
    EXPECT_EQ(SettingsFolder, "C:\\");
    EXPECT_EQ(settings.StartupLocation, 3);  // runs on with the first-run values
    EXPECT_TRUE(state().files.empty());
}

TEST_F(SettingsStore, AnEditedFileWithOneKeyLoadsDefaultsForTheRest) {
    const std::string bytes = "[HORAVEL]\r\nlanguage=Espanol\r\n";
    LoadFile(bytes);
    EXPECT_EQ(settings.Language, "Espa\xC3\xB1" "ol");
    EXPECT_EQ(FieldsAwayFromMissingDefaults(), std::vector<std::string>{"Language"});
    EXPECT_EQ(settings.Clock24hr, 1);
    EXPECT_EQ(settings.FinishSoundFile, 5);
    EXPECT_EQ(state().files[kFile], bytes);  // loading never writes
}

TEST_F(SettingsStore, UnaccentedLanguageNamesGainTheirAccents) {
    const std::pair<std::string, std::string> cases[] = {
        {"Francais", "Fran\xC3\xA7" "ais"},    {"Portugues", "Portugu\xC3\xAA" "s"},
        {"PortuguesBR", "Portugu\xC3\xAA" "sBR"}, {"francais", "francais"},
        {"Deutsch", "Deutsch"},                {"", ""},
    };
    for (const auto& [stored, loaded] : cases) {
        LoadFile("[Horavel]\nLanguage = " + stored + "\n");
        EXPECT_EQ(settings.Language, loaded) << stored;
    }
}

TEST_F(SettingsStore, NonNumericValuesReadAsZeroAndNoParticipantsMeansTen) {
    LoadFile("[Horavel]\nNumOfParticipants = 0\nCostSalary = lots\nButton1 = 90 s\nWarningTime = -75\n");
    EXPECT_EQ(settings.NumOfParticipants, 10);
    EXPECT_EQ(settings.CostSalary, 0);
    EXPECT_EQ(settings.Button1, 90);
    EXPECT_EQ(settings.WarningTime, -75);

    LoadFile("[Horavel]\nNumOfParticipants = many\n");
    EXPECT_EQ(settings.NumOfParticipants, 10);
}

TEST_F(SettingsStore, AccentedNamesSurviveTheProgramsOwnFileButNotAnEditorsLatin1Reading) {
    LoadFile("");
    settings.Language = "Fran\xC3\xA7" "ais";
    SaveSettings();
    settings.Language.clear();
    LoadSettings();
    EXPECT_EQ(settings.Language, "Fran\xC3\xA7" "ais");

    // The same text saved without the byte-order mark is taken as Latin-1.
    LoadFile(state().files[kFile].substr(kBom.size()));
    EXPECT_EQ(settings.Language, "Fran\xC3\x83\xC2\xA7" "ais");
}

TEST_F(SettingsStore, TextValuesLoseTrailingBlanksAndTabs) {
    LoadFile(kBom + "[Horavel]\r\nCostCurrency = \xE2\x82\xAC \t \r\nFinishSoundCustom =\tC:\\My Sounds\\end.wav\t\r\n");
    EXPECT_EQ(settings.CostCurrency, "\xE2\x82\xAC");
    EXPECT_EQ(settings.FinishSoundCustom, "C:\\My Sounds\\end.wav");
}

TEST_F(SettingsStore, OnlyTheFirstHoravelGroupCounts) {
    LoadFile("Button1 = 1\n[Other]\nButton2 = 2\n[Horavel]\nButton3 = 3\nbutton3 = 4\n[horavel]\nButton4 = 5\n");
    EXPECT_EQ(settings.Button1, 60);
    EXPECT_EQ(settings.Button2, 300);
    EXPECT_EQ(settings.Button3, 3);
    EXPECT_EQ(settings.Button4, 900);

    LoadFile("[Settings]\nShowTimer = 0\n");  // no group of ours: every key is missing
    EXPECT_TRUE(FieldsAwayFromMissingDefaults().empty());
}

TEST_F(SettingsStore, EveryStoredFieldRoundTripsAndRunTimeFieldsStayOut) {
    LoadFile("");
    int n = 0;
    for (const SettingKey& k : StoredSettingKeys()) {
        ++n;
        if (k.integer) {
            settings.*(k.integer) = n * 37 - 700;
        } else {
            settings.*(k.text) = "text " + std::to_string(n) + " \xC3\xBC";
        }
    }
    settings.NumOfParticipants = 3;  // 0 would be corrected on load
    settings.WarningVolume = 37;     // values out of range would be too
    settings.FinishVolume = 0;
    settings.StageViewPort = 65535;
    const Settings saved = settings;
    SaveSettings();
    const std::string file = state().files[kFile];
    EXPECT_EQ(file.find("AddinInstalled"), std::string::npos);
    EXPECT_EQ(file.find("BorderChanged"), std::string::npos);
    EXPECT_NE(file.find("\r\nStartupWinPosn\\left = -293\r\n"), std::string::npos);

    settings = Settings{};
    LoadSettings();
    EXPECT_EQ(FieldsAwayFromMissingDefaults().size(), StoredSettingKeys().size());
    for (const SettingKey& k : StoredSettingKeys()) {
        if (k.integer) {
            EXPECT_EQ(settings.*(k.integer), saved.*(k.integer)) << k.key;
        } else {
            EXPECT_EQ(settings.*(k.text), saved.*(k.text)) << k.key;
        }
    }
}

TEST_F(SettingsStore, AnOlderCopysFileGetsTheLaterKeysDefaultsAndKeepsItsOwnOrder) {
    // The first-run file of a copy that knew only the first keys.
    std::string older = GoldenFirstRun();
    older.erase(older.find("Hotkeys = "));
    LoadFile(older);
    EXPECT_EQ(settings.FinishVolume, 100);
    EXPECT_EQ(settings.StageViewPort, 8740);
    SaveSettings();
    const std::string saved = state().files[kFile];
    EXPECT_TRUE(saved.starts_with(older)) << "the first keys keep their places and values";
    EXPECT_EQ(saved, GoldenFirstRun());
}

TEST_F(SettingsStore, LaterNumbersOutOfRangeAreBroughtBack) {
    struct Row {
        const char* line;
        std::int32_t Settings::*field;
        std::int32_t expected;
    };
    const Row rows[] = {
        {"WarningVolume = -5", &Settings::WarningVolume, 0},
        {"WarningVolume = 250", &Settings::WarningVolume, 100},
        {"FinishVolume = 50", &Settings::FinishVolume, 50},
        {"FinishVolume = x", &Settings::FinishVolume, 0},
        {"StageViewPort = 0", &Settings::StageViewPort, 8740},
        {"StageViewPort = 65536", &Settings::StageViewPort, 8740},
        {"StageViewPort = 1", &Settings::StageViewPort, 1},
        {"StageViewPort = -8740", &Settings::StageViewPort, 8740},
    };
    for (const Row& row : rows) {
        LoadFile(std::string("[Horavel]\r\n") + row.line + "\r\n");
        EXPECT_EQ(settings.*(row.field), row.expected) << row.line;
    }
}

TEST_F(SettingsStore, AFailedSaveLeavesTheOldFileAndTheRecord) {
    LoadFile("[Horavel]\nButton1 = 45\n");
    settings.Button1 = 46;
    state().failWrites = true;
    SaveSettings();
    EXPECT_EQ(state().files[kFile], "[Horavel]\nButton1 = 45\n");
    EXPECT_EQ(settings.Button1, 46);
}

TEST_F(SettingsStore, SomethingUnreadableInThePlaceOfTheFileIsNotOverwritten) {
    // A folder of that name: no first run (whose save would fail anyway).
    state().folders.insert(kFile);
    LoadSettings();
    EXPECT_EQ(state().files.count(kFile), 0u);
    EXPECT_TRUE(FieldsAwayFromMissingDefaults().empty());
    EXPECT_EQ(settings.Clock24hr, 1);  // a missing key's value, not a first run's

    // A file far larger than any settings file: left as it is.
    SetUp();
    const std::string huge = "[Horavel]\nButton1 = 1\n" + std::string(2 << 20, ';');
    LoadFile(huge);
    EXPECT_EQ(state().files[kFile], huge);
    EXPECT_EQ(settings.Button1, 60);
}

TEST_F(SettingsStore, GoodLinesAmidBinaryGarbageStillLoad) {
    std::string garbage;
    for (std::uint32_t i = 0; i < 100000; ++i) garbage += static_cast<char>((i * 2654435761u) >> 24);
    const std::string bytes = kBom + garbage + "\r\n[Horavel]\r\nButton1 = 5\r\n" + garbage;
    LoadFile(bytes);
    EXPECT_EQ(settings.Button1, 5);
    EXPECT_EQ(settings.Button2, 300);
    EXPECT_EQ(state().files[kFile], bytes);
}

TEST_F(SettingsStore, RecordsTheProgramFolderOnlyWhenItChanged) {
    LoadSettings();
    const fake::RegistryValue* value = fake::FindRegistryValue("Software\\Horavel", "");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, 1u);
    EXPECT_EQ(value->text, "C:\\Program Files\\Horavel");
    EXPECT_EQ(fake::registry.valueWrites, 1);

    LoadSettings();  // same place: nothing written
    EXPECT_EQ(fake::registry.valueWrites, 1);

    state().programFile = "C:\\program files\\horavel\\Horavel.exe";  // the comparison is exact
    LoadSettings();
    EXPECT_EQ(fake::registry.valueWrites, 2);
    EXPECT_EQ(fake::FindRegistryValue("Software\\Horavel", "")->text, "C:\\program files\\horavel");

    state().programFile = "E:\\Horavel.exe";
    LoadSettings();
    EXPECT_EQ(fake::FindRegistryValue("Software\\Horavel", "")->text, "E:");

    // A binary value is no folder, even when an earlier read left the same text.
    fake::registry.local["Software\\Horavel"].values[""] = fake::RegistryValue{3, "E:", 0};
    RegLastValue = "E:";
    LoadSettings();
    EXPECT_EQ(fake::FindRegistryValue("Software\\Horavel", "")->type, 1u);
    EXPECT_EQ(fake::FindRegistryValue("Software\\Horavel", "")->text, "E:");
    EXPECT_EQ(fake::OpenRegistryHandles(), 0);
}

TEST_F(SettingsStore, RegistryFailuresDoNotStopLoading) {
    fake::registry.local["Software\\Horavel"].denyFullAccess = true;
    LoadFile("[Horavel]\nButton2 = 77\n");
    EXPECT_EQ(settings.Button2, 77);
    EXPECT_EQ(fake::registry.valueWrites, 0);

    fake::ResetRegistry();
    fake::registry.writeError = 5;
    LoadFile("[Horavel]\nButton2 = 78\n");
    EXPECT_EQ(settings.Button2, 78);
    EXPECT_EQ(fake::registry.local.count("Software\\Horavel"), 1u);
}

TEST_F(SettingsStore, AnInterruptedSaveIsRecoveredOnlyWhenTheFileIsGoneAndItsTemporaryFileIsComplete) {
    // A complete save of Button1 = 120 and Button1 = 240, the later written last.
    settings = Settings{};
    ResetSettings();
    settings.Button1 = 120;
    SaveSettings();
    const std::string older = state().files.at("HV_Settings.ini");
    settings.Button1 = 240;
    SaveSettings();
    const std::string newer = state().files.at("HV_Settings.ini");
    const std::string cut = newer.substr(0, newer.size() - 1);  // killed before the last byte

    struct Row {
        const char* what;
        std::optional<std::string> file;
        std::vector<std::pair<std::string, std::uint64_t>> temps;  // content, write time
        int button1;
    } rows[] = {
        {"no file, complete temporary files: the newest wins", std::nullopt, {{older, 5}, {newer, 9}, {cut, 12}}, 240},
        {"no file, only a cut one: first run", std::nullopt, {{cut, 9}}, 60},
        {"the file is there: it wins", older, {{newer, 9}}, 120},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        fake::Reset();
        fake::ResetRegistry();
        settings = Settings{};
        if (r.file) state().files[kFile] = *r.file;
        int pid = 100;
        for (const auto& [content, time] : r.temps) {
            const std::string temp = kFile + "." + std::to_string(++pid) + ".tmp";
            state().files[temp] = content;
            state().fileTimes[temp] = time;
        }
        state().files[kFolder + "HV_Settings.ini.old"] = "not ours";
        LoadSettings();
        EXPECT_EQ(settings.Button1, r.button1);
        ASSERT_EQ(state().files.count(kFile), 1u);
        EXPECT_NE(state().files.at(kFile).find("Button1 = " + std::to_string(r.button1) + "\r\n"), std::string::npos);
        std::vector<std::string> left;
        for (const auto& [path, content] : state().files) left.push_back(path);
        EXPECT_EQ(left, (std::vector<std::string>{kFile, kFolder + "HV_Settings.ini.old"}));
    }
}

TEST_F(SettingsStore, TheAddinIsInstalledOnAFirstRunOnly) {
    const std::string addin = "C:\\Users\\tester\\AppData\\Roaming\\Microsoft\\AddIns\\Horavel Toolbar Addin.ppa";
    const std::string huge = "[Horavel]\nButton1 = 1\n" + std::string(2 << 20, ';');
    struct Case {
        const char* what;
        std::function<void()> place;  // what stands where the settings file belongs
        bool installs;
    };
    const Case cases[] = {
        {"no file", [] {}, true},
        {"a file without StartupLocation", [] { fake::state.files[kFile] = "[Horavel]\r\nButton1 = 45\r\n"; }, true},
        {"a file with StartupLocation 99", [] { fake::state.files[kFile] = "[Horavel]\r\nStartupLocation = 99\r\n"; },
         true},
        {"a file with StartupLocation", [] { fake::state.files[kFile] = "[Horavel]\r\nStartupLocation = 3\r\n"; },
         false},
        {"a file too large to read", [huge] { fake::state.files[kFile] = huge; }, false},
        {"a folder of that name", [] { fake::state.folders.insert(kFile); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        fake::registry.local["Software\\Microsoft\\Office\\16.0\\PowerPoint"];
        c.place();
        const auto before = state().files.find(kFile) == state().files.end()
                                ? std::optional<std::string>()
                                : std::optional<std::string>(state().files[kFile]);
        LoadSettings();
        EXPECT_EQ(state().files.count(addin), c.installs ? 1u : 0u);
        EXPECT_EQ(settings.AddinInstalled, c.installs ? 1 : 0);
        // Only a first run writes the settings file; any other leaves it as it was.
        if (before) {
            EXPECT_EQ(state().files[kFile], *before);
        }
    }
}
