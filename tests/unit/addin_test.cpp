#include <gtest/gtest.h>

#include <span>

#include "lang/messages.h"
#include "office/addin.h"
#include "resources/embedded.h"
#include "settings/registry.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_registry.h"

namespace {

const std::string kAppData = "C:\\Users\\tester\\AppData\\Roaming";
const std::string kAddins = kAppData + "\\Microsoft\\AddIns";
const std::string kFile = kAddins + "\\Horavel Toolbar Addin.ppa";

std::string PowerPointKey(const std::string& version) {
    return "Software\\Microsoft\\Office\\" + version + "\\PowerPoint";
}
std::string AddinKey(const std::string& version) { return PowerPointKey(version) + "\\AddIns\\Horavel Toolbar Addin"; }

std::string Block() {
    const std::span<const unsigned char> block = FindEmbeddedResource(kAddinResource);
    return {block.begin(), block.end()};
}

class Addin : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::ResetRegistry();
        LoadLanguage("English");
        OfficeVersion.clear();
        AddinRegKey.clear();
        AddinFilePath.clear();
        RegLastValue.clear();
        settings = Settings{};
    }

    static void HavePowerPoint(const std::string& version) { fake::registry.local[PowerPointKey(version)]; }
    static fake::State& state() { return fake::state; }

    // The one message box shown: its text, after checking title and icon.
    static std::string OnlyBox(platform::MessageBoxIcon icon) {
        EXPECT_EQ(state().messageBoxes.size(), 1u);
        if (state().messageBoxes.size() != 1) return {};
        EXPECT_EQ(state().messageBoxes[0].first, "Horavel");
        EXPECT_EQ(state().messageBoxIcons[0], icon);
        return state().messageBoxes[0].second;
    }
};

}  // namespace

TEST_F(Addin, TheNewestPowerPointIsUsedAndOlderOnesAreNotLookedAt) {
    HavePowerPoint("16.0");
    HavePowerPoint("14.0");
    InstallAddin();
    EXPECT_EQ(OfficeVersion, "16.0");
    EXPECT_TRUE(state().messageBoxes.empty());
    EXPECT_EQ(state().files.at(kFile), Block());
    const fake::RegistryValue* path = fake::FindRegistryValue(AddinKey("16.0"), "Path");
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->type, platform::kRegistryText);
    EXPECT_EQ(path->text, kFile);
    const fake::RegistryValue* autoLoad = fake::FindRegistryValue(AddinKey("16.0"), "AutoLoad");
    ASSERT_NE(autoLoad, nullptr);
    EXPECT_EQ(autoLoad->type, platform::kRegistryNumber);
    EXPECT_EQ(autoLoad->number, 1u);
    EXPECT_EQ(fake::registry.local.count(AddinKey("14.0")), 0u);

    // 14.0 beside 12.0: an add-in registered only under 12.0 is not seen.
    fake::ResetRegistry();
    HavePowerPoint("14.0");
    fake::SetRegistryText(AddinKey("12.0"), "Path", "C:\\old.ppa");
    EXPECT_EQ(CheckAddin(), 0);
    EXPECT_EQ(OfficeVersion, "14.0");
    EXPECT_EQ(AddinRegKey, AddinKey("14.0"));
    fake::SetRegistryText(AddinKey("14.0"), "Path", "C:\\new.ppa");
    EXPECT_EQ(CheckAddin(), 1);
    EXPECT_EQ(AddinFilePath, "C:\\new.ppa");
}

TEST_F(Addin, WithoutPowerPointNothingHappensAndNothingIsShown) {
    AddinFilePath = "C:\\stale.ppa";
    EXPECT_EQ(CheckAddin(), 0);
    EXPECT_EQ(OfficeVersion + AddinRegKey + AddinFilePath, "");
    InstallAddin();
    RemoveAddin();
    EXPECT_TRUE(state().messageBoxes.empty());
    EXPECT_TRUE(state().files.empty());
    EXPECT_TRUE(state().folders.empty());
    EXPECT_TRUE(fake::registry.local.empty());
}

TEST_F(Addin, InstallingTwiceKeepsTheFirstFileAndRewritesTheValues) {
    HavePowerPoint("15.0");
    InstallAddin();
    state().files[kFile] = "the user's own copy";
    fake::SetRegistryText(AddinKey("15.0"), "Path", "D:\\elsewhere.ppa");
    fake::SetRegistryText(AddinKey("15.0"), "AutoLoad", "0");
    InstallAddin();
    EXPECT_EQ(state().files.at(kFile), "the user's own copy");
    EXPECT_EQ(fake::FindRegistryValue(AddinKey("15.0"), "Path")->text, kFile);
    EXPECT_EQ(fake::FindRegistryValue(AddinKey("15.0"), "AutoLoad")->number, 1u);
    EXPECT_EQ(fake::FindRegistryValue(AddinKey("15.0"), "AutoLoad")->type, platform::kRegistryNumber);
    EXPECT_TRUE(state().messageBoxes.empty());
    EXPECT_EQ(CheckAddin(), 1);
}

TEST_F(Addin, RemovingWhenTheKeyIsGoneReportsTheErrorAndStillDeletesTheFile) {
    HavePowerPoint("16.0");
    InstallAddin();
    fake::registry.local.erase(AddinKey("16.0"));
    RemoveAddin();
    EXPECT_EQ(OnlyBox(platform::MessageBoxIcon::None), "ERROR: There was a Read/Write error (Error No.: 2).");
    EXPECT_EQ(state().files.count(kFile), 0u);

    // A normal removal is silent and leaves PowerPoint's own key.
    state().messageBoxes.clear();
    InstallAddin();
    RemoveAddin();
    EXPECT_EQ(state().messageBoxes.size(), 0u);
    EXPECT_EQ(fake::registry.local.count(AddinKey("16.0")), 0u);
    EXPECT_EQ(fake::registry.local.count(PowerPointKey("16.0")), 1u);
    EXPECT_EQ(state().files.count(kFile), 0u);
}

TEST_F(Addin, AnUnwritableFolderGivesTheExactReportAndRegistersNothing) {
    HavePowerPoint("16.0");
    state().folders.insert(kAddins);
    state().readOnlyFolders.insert(kAddins);
    InstallAddin();
    EXPECT_EQ(OnlyBox(platform::MessageBoxIcon::Error),
              "ERROR: There was a Read/Write error (Error No.: 2)."
              "\r\n\r\nOK: PowerPoint v16.0 found on this computer"
              "\r\nERROR: No WRITE Access to the PowerPoint Add-In Folder."
              "\rERROR: Horavel Add-In File not found."
              "\r\n\r\nsPpaPath = "
              "\r\n\r\nsPptAddinRegKeyPath = Software\\Microsoft\\Office\\16.0\\PowerPoint\\AddIns\\Horavel Toolbar Addin");
    EXPECT_EQ(fake::registry.local.count(AddinKey("16.0")), 0u);
    EXPECT_TRUE(state().files.empty());
}

// Faults around the file and the registry: each gives its report or none, and
// no file but the add-in file is ever written or deleted.
TEST_F(Addin, FaultsAreReportedAndTouchNoOtherFile) {
    struct Fault {
        const char* name;
        std::function<void()> arrange;
        const char* reportEnd;  // nullptr: nothing is shown
    };
    const Fault faults[] = {
        {"a file where the folder should be", [] { fake::state.files[kAddins] = "not a folder"; },
         "\rERROR: Horavel Add-In File not found.\r\n\r\nsPpaPath = "},
        {"the add-in file locked by another program",
         [] {
             fake::state.folders.insert(kAddins);
             fake::state.files[kFile] = "in use";
             fake::state.lockedFiles.insert(kFile);
         },
         "\rERROR: Horavel Add-In File not found.\r\n\r\nsPpaPath = "},
        {"a key that cannot be created",
         [] { fake::registry.local[AddinKey("16.0")].denyFullAccess = true; },
         "\rOK: Horavel Add-In File found.\r\nERROR: Could not create registry key.\r\n\r\nsPpaPath = " },
        {"values that cannot be written", [] { fake::registry.writeError = 5; },
         "\r\nERROR: Could not create registry PATH value.\r\nERROR: Could not create registry AUTOLOAD value."
         "\r\n\r\nsPpaPath = "},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.name);
        SetUp();
        HavePowerPoint("16.0");
        f.arrange();
        const std::map<std::string, std::string> before = state().files;
        InstallAddin();
        const std::string text = OnlyBox(platform::MessageBoxIcon::Error);
        EXPECT_NE(text.find(f.reportEnd), std::string::npos) << text;
        for (const auto& [path, content] : before) EXPECT_EQ(state().files[path], content) << path;
    }
}

TEST_F(Addin, ARegisteredPathNeverDeletesAnotherFile) {
    const std::string slides = "C:\\Users\\tester\\Documents\\talk.pptx";
    state().files[slides] = "slides";
    HavePowerPoint("16.0");
    // A "Path" that reads as no text must not bring back an older read.
    RegLastValue = slides;
    fake::registry.local[AddinKey("16.0")].values["Path"] = fake::RegistryValue{3, "binary", 0};
    EXPECT_EQ(CheckAddin(), 1);
    EXPECT_EQ(AddinFilePath, "");
    RemoveAddin();
    // A text "Path" naming some other file: the registration goes, the file stays.
    fake::SetRegistryText(AddinKey("16.0"), "Path", slides);
    OfficeVersion.clear();
    RemoveAddin();
    EXPECT_EQ(fake::registry.local.count(AddinKey("16.0")), 0u);
    EXPECT_EQ(state().files.count(slides), 1u);
    EXPECT_TRUE(state().messageBoxes.empty());
}

TEST_F(Addin, AFirstRunInstallsAndSetsAddinInstalled) {
    HavePowerPoint("16.0");
    LoadSettings();
    EXPECT_EQ(state().files.at(kFile), Block());
    EXPECT_EQ(settings.AddinInstalled, 1);
    EXPECT_TRUE(state().messageBoxes.empty());

    // A later start with a file of the program's own only checks.
    fake::registry.local.erase(AddinKey("16.0"));
    state().files.erase(kFile);
    OfficeVersion.clear();
    LoadSettings();
    EXPECT_EQ(settings.AddinInstalled, 0);
    EXPECT_EQ(state().files.count(kFile), 0u);
}
