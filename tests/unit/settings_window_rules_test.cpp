// The settings window's fill, apply and enable rules over the plain record of
// control values.
#include <gtest/gtest.h>

#include <climits>

#include "lang/messages.h"
#include "settings/settings.h"
#include "settings/settings_window_rules.h"
#include "tests/support/fake_platform.h"

namespace {

class SettingsWindowRules : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        LoadLanguage("English");
        settings = Settings{};
        ResetSettings();
        settings.WarningSoundFile = 1;
        settings.FinishSoundFile = 5;
    }

    // Fills the controls from the record and applies them back unchanged.
    Settings RoundTrip() {
        const SettingsControls c = FillSettingsControls(settings, true, true);
        Settings after = settings;
        ApplySettingsControls(c, after);
        return after;
    }
};

TEST_F(SettingsWindowRules, CustomWarningTimesOpenInTheCustomEntryAndStoreBack) {
    struct Case {
        std::int32_t stored;
        const char* entry;
        int selected;
    } cases[] = {
        {-75, "Custom... (01:15)", 0},
        {-90, "Custom... (01:30)", 0},
        {0, "Custom... (00:00)", 0},
        {3, "Custom...", 3},
        {-6000, "Custom... (100:00)", 0},
        {-7425, "Custom... (123:45)", 0},  // beyond five characters: read to the ")"
    };
    for (const Case& c : cases) {
        settings.WarningTime = c.stored;
        const SettingsControls controls = FillSettingsControls(settings, true, true);
        EXPECT_EQ(controls.customWarning, c.entry) << c.stored;
        EXPECT_EQ(controls.warningTime, c.selected) << c.stored;
        EXPECT_EQ(RoundTrip().WarningTime, c.stored) << c.stored;
    }
    EXPECT_EQ(CustomWarningTime("Custom..."), 0);
    EXPECT_EQ(ProposedCustomTime("Custom..."), "01:30");
    EXPECT_EQ(ProposedCustomTime("Custom... (02:05)"), "02:05");
}

TEST_F(SettingsWindowRules, PresetFieldsSplitMinutesAndSecondsAndAddUpTyping) {
    settings.Button3 = 605;
    SettingsControls c = FillSettingsControls(settings, true, true);
    EXPECT_EQ(c.minutes[2], "10");
    EXPECT_EQ(c.seconds[2], "5");
    settings.Button1 = 600;
    EXPECT_EQ(FillSettingsControls(settings, true, true).seconds[0], "0");

    struct Typed {
        const char* minutes;
        const char* seconds;
        std::int32_t stored;
    } typed[] = {
        {"0", "90", 90},
        {"1", "75", 135},
        {"", "", 0},
        {"abc", "7", 7},
        {"999", "99", 60039},
        // Pasted signs and more digits than the fields take: never negative, at most 999:99.
        {"-2", "0", 0},
        {"-5", "30", 30},
        {"5", "-5", 300},
        {"1234567890123456789012345678901234567890", "0", 59940},
        {"35791394", "59", 59999},
        {"-99999999999", "0", 0},
        {"1000", "100", 60039},
    };
    for (const Typed& t : typed) {
        c.minutes[2] = t.minutes;
        c.seconds[2] = t.seconds;
        ApplySettingsControls(c, settings);
        EXPECT_EQ(settings.Button3, t.stored) << t.minutes << ":" << t.seconds;
    }
}

TEST_F(SettingsWindowRules, SalaryReadsLeadingDigitsNeverNegative) {
    struct Typed {
        const char* text;
        std::int32_t stored;
    } typed[] = {{"65000", 65000},          {"abc", 0},         {"", 0},
                 {"-40", 0},                {"-5", 0},          {"12k", 12},
                 {"999999999", 999999999},  {"1000000000", 999999999},
                 {"1234567890123456789012345678901234567890", 999999999},
                 {"-99999999999", 0}};
    SettingsControls c = FillSettingsControls(settings, true, true);
    for (const Typed& t : typed) {
        c.salary = t.text;
        ApplySettingsControls(c, settings);
        EXPECT_EQ(settings.CostSalary, t.stored) << t.text;
    }
}

TEST_F(SettingsWindowRules, OutOfRangeSoundNumbersBecomeOneInTheRecord) {
    struct Case {
        std::int32_t warning, finish;
        int warningEntry, finishEntry;
    } cases[] = {{12, 19, 1, 19}, {11, 20, 11, 20}, {40, 21, 1, 1}, {-3, 0, 1, 0}};
    for (const Case& c : cases) {
        settings.WarningSoundFile = c.warning;
        settings.FinishSoundFile = c.finish;
        const SettingsControls controls = FillSettingsControls(settings, true, true);
        EXPECT_EQ(controls.warningSoundEntry, c.warningEntry);
        EXPECT_EQ(controls.finishSoundEntry, c.finishEntry);
        EXPECT_EQ(settings.WarningSoundFile, c.warningEntry) << "replaced in the record itself";
        EXPECT_EQ(settings.FinishSoundFile, c.finishEntry);
    }
}

TEST_F(SettingsWindowRules, ListsWithoutAMatchingEntry) {
    settings.Language = "Klingon";  // a user's own language file
    settings.CostCurrency = "CHF";
    settings.StartupLocation = 9;
    const SettingsControls c = FillSettingsControls(settings, true, true);
    EXPECT_EQ(c.language, -1);
    EXPECT_EQ(c.currency, -1);
    EXPECT_EQ(c.location, -1);
    const Settings after = RoundTrip();
    EXPECT_EQ(after.Language, "") << "no language picked stores empty text: English";
    EXPECT_EQ(after.CostCurrency, "CHF") << "an unlisted currency is kept";
    EXPECT_EQ(after.StartupLocation, 9) << "a list with nothing selected leaves its field";

    settings.Language = "Français";
    settings.CostCurrency = "€";
    EXPECT_EQ(FillSettingsControls(settings, true, true).language, 5);
    EXPECT_EQ(FillSettingsControls(settings, true, true).currency, 1);
}

TEST_F(SettingsWindowRules, ApplyingUnchangedControlsChangesNothing) {
    settings.WarningSoundCustom = "C:\\gone\\bell.wav";
    settings.ShowTaskBarProgress = 1;
    settings.AddinInstalled = 1;
    const Settings after = RoundTrip();
    for (const SettingKey& k : StoredSettingKeys()) {
        if (k.integer) EXPECT_EQ(after.*(k.integer), settings.*(k.integer)) << k.key;
        else EXPECT_EQ(after.*(k.text), settings.*(k.text)) << k.key;
    }
    EXPECT_EQ(after.BorderChanged, 0);
}

TEST_F(SettingsWindowRules, BorderAddinAndTaskbarSteps) {
    SettingsControls c = FillSettingsControls(settings, false, true);
    c.border = 1;
    c.addin = 1;
    c.taskbarProgress = 1;  // no box on this system
    EXPECT_EQ(ApplySettingsControls(c, settings), AddinStep::Install);
    EXPECT_EQ(settings.ShowWinBorder, 1);
    EXPECT_EQ(settings.BorderChanged, 1);
    EXPECT_EQ(settings.ShowTaskBarProgress, 0);
    c.addin = 0;
    EXPECT_EQ(ApplySettingsControls(c, settings), AddinStep::Remove);
    EXPECT_EQ(settings.BorderChanged, 0) << "the border did not change this time";
    EXPECT_EQ(ApplySettingsControls(c, settings), AddinStep::None);

    settings.AddinInstalled = 0;
    EXPECT_FALSE(FillSettingsControls(settings, true, false).addinEnabled) << "no PowerPoint found";
    EXPECT_TRUE(FillSettingsControls(settings, true, true).addinEnabled);
    settings.AddinInstalled = 1;
    EXPECT_TRUE(FillSettingsControls(settings, true, false).addinEnabled) << "an installed add-in can be removed";
}

TEST_F(SettingsWindowRules, EnableRules) {
    SettingsControls c;
    c.showClock = 1;
    c.showTimer = 0;
    c.showCost = 0;
    SettingsEnables e = SettingsControlEnables(c);
    EXPECT_FALSE(e.showClock) << "the last shown readout cannot be hidden";
    EXPECT_TRUE(e.showTimer);
    EXPECT_TRUE(e.showCost);
    c.showCost = 1;
    e = SettingsControlEnables(c);
    EXPECT_TRUE(e.showClock && e.showTimer && e.showCost);
    c.showClock = c.showTimer = c.showCost = 0;
    e = SettingsControlEnables(c);
    EXPECT_TRUE(e.showClock && e.showTimer && e.showCost);

    for (int location : {-1, 0, 1, 2, 3}) {
        c.location = location;
        EXPECT_EQ(SettingsControlEnables(c).height, location >= 2) << location;
    }
    c.warningYellow = 0;
    c.finishRed = 1;
    c.warningSound = 1;
    c.finishSound = 0;
    c.breakTimer = 0;
    e = SettingsControlEnables(c);
    EXPECT_FALSE(e.warningBlink);
    EXPECT_TRUE(e.finishBlink);
    EXPECT_TRUE(e.warningSoundList);
    EXPECT_FALSE(e.finishSoundList);
    EXPECT_FALSE(e.breakTime);
}

TEST_F(SettingsWindowRules, ListEntriesFollowTheLanguage) {
    const auto warning = SoundEntries(kWarningSounds, "");
    ASSERT_EQ(warning.size(), 12u);
    EXPECT_EQ(warning.front(), "Custom Sound (Browse...)");
    EXPECT_EQ(warning[1], "Beep");
    EXPECT_EQ(warning[10], "Gong");
    EXPECT_EQ(warning.back(), "Custom Sound (Browse...)");
    const auto finish = SoundEntries(kFinishSounds, "C:\\...\\bell.wav");
    ASSERT_EQ(finish.size(), 21u);
    EXPECT_EQ(finish[19], "Progressively Louder");
    EXPECT_EQ(finish.back(), "C:\\...\\bell.wav");
    const auto times = WarningTimeEntries("Custom... (01:15)");
    ASSERT_EQ(times.size(), 9u);
    EXPECT_EQ(times[1], "Auto (20%)");
    EXPECT_EQ(times[8], "15 Min Remaining");

    LoadLanguage("Deutsch");
    EXPECT_NE(CustomWarningEntryFor("01:15"), "Custom... (01:15)");
    EXPECT_EQ(CustomWarningTime(CustomWarningEntryFor("01:15")), -75) << "read back by the German prefix";
}

}  // namespace

TEST_F(SettingsWindowRules, AVolumeReadsAsEachLanguageWritesAPercentage) {
    struct Case {
        const char* language;
        int percent;
        const char* text;
    } cases[] = {
        {"English", 100, "100%"}, {"English", 0, "0%"},    {"Deutsch", 50, "50 %"},
        {"Français", 7, "7 %"},   {"Japanese", 80, "80%"}, {"English", 140, "100%"},
    };
    for (const Case& c : cases) {
        LoadLanguage(c.language);
        EXPECT_EQ(VolumeText(c.percent), c.text) << c.language << " " << c.percent;
    }
    LoadLanguage("English");
}
