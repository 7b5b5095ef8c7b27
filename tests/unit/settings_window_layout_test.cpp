// The settings window's places: the design's as the least, each control grown
// to its text as the fake measures it (5 pixels a character plus its frame),
// the controls after it on its rows moved along, and the window widened.
#include <gtest/gtest.h>

#include <functional>

#include "lang/messages.h"
#include "settings/settings.h"
#include "settings/settings_window.h"
#include "settings/settings_window_layout.h"
#include "tests/support/fake_dialog.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_screen.h"
#include "tests/support/fake_shell.h"

namespace {

fake::Control& C(int control) { return fake::ControlOf(control); }

class SettingsLayout : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::ResetScreen();
        fake::ResetDialog();
        fake::ResetShell();
        settings = Settings{};
        ResetSettings();
        LoadLanguage("English");
        OpenSettingsWindow();
    }
};

struct GrowCase {
    const char* what;
    std::function<void()> lengthen;  // a longer text, as another language has it
    int control;                     // a control that must move or grow
    platform::Rect place;            // where it then stands
    int dialogWidth;
};

TEST_F(SettingsLayout, ControlsGrowToTheirTextsAndPushTheirRows) {
    const GrowCase cases[] = {
        // 50 characters: 266 wide from 130; "Preview" keeps its 8 pixels of gap at 404,
        // the page reaches 474, 74 more than designed.
        {"a check box", [] { C(sw::WarningFlash).text = std::string(50, 'x'); }, sw::WarningFlashPreview,
         {404, 86, 70, 20}, 428 + 74},
        {"the check box itself", [] { C(sw::WarningFlash).text = std::string(50, 'x'); }, sw::WarningFlash,
         {130, 87, 266, 20}, 428 + 74},
        // A label of 200 pixels: the label column ends at 204 (4 of margin), 79 further;
        // "Edit" then reaches 477, 77 more than designed.
        {"a row label", [] { C(sw::SalaryLabel).text = std::string(40, 'x'); }, sw::SalaryLabel,
         {4, 148, 200, 20}, 428 + 77},
        {"the controls after the labels", [] { C(sw::SalaryLabel).text = std::string(40, 'x'); }, sw::Edit,
         {407, 20, 70, 20}, 428 + 77},
        {"a short label beside a long one", [] { C(sw::SalaryLabel).text = std::string(40, 'x'); },
         sw::LanguageLabel, {29, 23, 175, 20}, 428 + 77},
        {"another page stays", [] { C(sw::SalaryLabel).text = std::string(40, 'x'); }, sw::Location,
         {130, 20, 190, 20}, 428 + 77},
        // Six titles of 100 pixels and 12 of frame each, and 4: 676.
        {"the tab titles",
         [] {
             for (std::string& title : C(sw::Tabs).entries) title = std::string(20, 'x');
         },
         sw::Tabs, {10, 10, 676, 290}, 428 + 266},
        {"OK under the wider panel",
         [] {
             for (std::string& title : C(sw::Tabs).entries) title = std::string(20, 'x');
         },
         sw::Ok, {340 + 266, 305, 80, 25}, 428 + 266},
        {"a button alone on its row", [] { C(sw::Defaults).text = std::string(30, 'x'); }, sw::Defaults,
         {130, 156, 160, 20}, 428},
        // "Progressively Louder" and the browse entry fit in 170; a long one does not.
        {"a list's widest entry", [] { C(sw::FinishSoundList).entries.push_back(std::string(40, 'x')); },
         sw::FinishSoundList, {150, 131, 224, 20}, 428},
    };
    for (const GrowCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        c.lengthen();
        LayOutSettingsControls();
        EXPECT_EQ(C(c.control).place, c.place);
        EXPECT_EQ(fake::dialog.innerWidth, c.dialogWidth);
        EXPECT_EQ(fake::dialog.innerHeight, 370);
    }
}

TEST_F(SettingsLayout, PresetFieldsHoldThreeDigitsUnderTheirHeader) {
    // Three digits and the field's frame: 23 pixels; the colon and seconds follow on.
    EXPECT_EQ(C(sw::Minutes).limit, 3);
    EXPECT_EQ(C(sw::Seconds).limit, 2);
    EXPECT_EQ(C(sw::Salary).limit, 9);
    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        const int y = 38 + 22 * row;
        EXPECT_EQ(C(sw::Minutes + row).place, (platform::Rect{130, y, 23, 20}));
        EXPECT_EQ(C(sw::Colon + row).place, (platform::Rect{153, y + 3, 11, 20}));
        EXPECT_EQ(C(sw::Seconds + row).place, (platform::Rect{164, y, 22, 20}));
    }
    EXPECT_EQ(C(sw::MinSecHeader).place, (platform::Rect{130, 20, 56, 20})) << "across both fields";
    // Nine digits of salary: 53 pixels; the slash and the period list move along by 8.
    EXPECT_EQ(C(sw::Salary).place, (platform::Rect{175, 145, 53, 20}));
    EXPECT_EQ(C(sw::Slash).place, (platform::Rect{233, 148, 10, 20}));
    EXPECT_EQ(C(sw::Period).place, (platform::Rect{248, 145, 80, 20}));
}

TEST_F(SettingsLayout, ShorterTextsGiveTheDesignedWindowBack) {
    C(sw::WarningFlash).text = std::string(50, 'x');
    LayOutSettingsControls();
    ASSERT_EQ(fake::dialog.innerWidth, 428 + 74);
    RelabelSettingsWindow();  // the language's own texts again
    EXPECT_EQ(fake::dialog.innerWidth, 428);
    EXPECT_EQ(C(sw::WarningFlashPreview).place, (platform::Rect{328, 86, 70, 20}));
    EXPECT_EQ(C(sw::Tabs).place, (platform::Rect{10, 10, 410, 290}));
    EXPECT_EQ(C(sw::Ok).place, (platform::Rect{340, 305, 80, 25}));
}

}  // namespace
