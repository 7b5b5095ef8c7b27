#include <gtest/gtest.h>

#include "settings/settings.h"

TEST(ResetSettings, PutsFirstRunValuesAndLeavesSoundChoicesAlone) {
    settings = Settings{};
    settings.WarningSoundFile = 7;
    settings.FinishSoundCustom = "C:\\gong.wav";
    ResetSettings();
    EXPECT_EQ(settings.Language, "English");
    EXPECT_EQ(settings.Clock24hr, 0);
    EXPECT_EQ(settings.StartupLocation, 3);
    EXPECT_EQ(settings.StartupWinPosnRight, 50);
    EXPECT_EQ(settings.StartupWinPosnBottom, 450);
    EXPECT_EQ(settings.FinishAutoBreakTime, 4);
    EXPECT_EQ(settings.Button5, 1800);
    EXPECT_EQ(settings.WarningSoundFile, 7);
    EXPECT_EQ(settings.FinishSoundCustom, "C:\\gong.wav");
    EXPECT_EQ(settings.FinishSoundFile, 0);
}

TEST(ResetSettings, KeepsAChosenLanguage) {
    settings = Settings{};
    settings.Language = "Deutsch";
    ResetSettings();
    EXPECT_EQ(settings.Language, "Deutsch");
}

TEST(StoredSettingKeys, MissingKeyDefaultsDifferFromFirstRunOnlyWhereIntended) {
    settings = Settings{};
    ResetSettings();
    std::vector<std::string> differing;
    for (const SettingKey& k : StoredSettingKeys()) {
        if (k.integer) {
            if (settings.*(k.integer) != k.missingInteger) differing.emplace_back(k.key);
        } else if (settings.*(k.text) != k.missingText) {
            differing.emplace_back(k.key);
        }
    }
    EXPECT_EQ(differing, (std::vector<std::string>{"24hr Clock", "WarningSoundFile", "FinishSoundFile"}));
}
