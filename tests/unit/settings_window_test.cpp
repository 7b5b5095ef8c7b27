// The settings window through the fake dialog: what opening shows, what the
// loop does with the user's actions, and what OK, Cancel and closing leave.
#include "tests/unit/settings_window_fixture.h"

#include <functional>

#include "app/placement.h"
#include "lang/messages.h"
#include "settings/about_panel.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/settings_window.h"
#include "settings/settings_window_layout.h"
#include "settings/settings_window_state.h"
#include "sound/alert_sound.h"
#include "sound/built_in_sounds.h"
#include "tests/support/fake_dialog.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_screen.h"
#include "tests/support/fake_shell.h"

namespace {

// The window is designed 428 wide; the eight English tab titles (at the
// fake's 5 pixels a character, 12 of frame each and 4) need 30 more.
constexpr int kTitlesWider = 30;
constexpr int kEnglishWidth = 428 + kTitlesWider;

using platform::DialogEventKind;

class SettingsWindow : public SettingsWindowTest {
protected:
    void SetUp() override {
        SettingsWindowTest::SetUp();
        settings.WarningSoundFile = 1;
        settings.FinishSoundFile = 5;
    }

    static std::string File(const std::string& name) {
        auto it = fake::state.files.find(kFolder + name);
        return it == fake::state.files.end() ? "" : it->second;
    }
};

TEST_F(SettingsWindow, OpensFilledCentredAndShown) {
    settings.WarningTime = -75;
    settings.Button3 = 605;
    settings.WarningSoundFile = 12;
    settings.FinishSoundFile = 19;
    settings.WarningSoundCustom = "C:\\gone\\bell.wav";  // no such file
    OpenSettingsWindow();
    EXPECT_TRUE(fake::dialog.shown);
    EXPECT_EQ(fake::dialog.title, "Horavel Settings");
    EXPECT_EQ(fake::dialog.innerWidth, kEnglishWidth);
    EXPECT_EQ(fake::dialog.innerHeight, 370);
    EXPECT_EQ(fake::dialog.focus, sw::Tabs);
    EXPECT_EQ(C(sw::Tabs).entries,
              (std::vector<std::string>{"General", "Buttons", "Display", "Timer Warning", "Timer Finish", "Hotkeys",
                                        "Stage View", "About"}));
    EXPECT_EQ(C(sw::Language).entries.size(), 10u);
    EXPECT_EQ(platform::ControlText(sw::Language), "English");
    EXPECT_EQ(platform::ControlText(sw::WarningTime), "Custom... (01:15)");
    EXPECT_EQ(C(sw::Minutes + 2).text, "10");
    EXPECT_EQ(C(sw::Seconds + 2).text, "5");
    EXPECT_EQ(platform::ControlText(sw::WarningSoundList), "Beep");
    EXPECT_EQ(settings.WarningSoundFile, 1);
    EXPECT_EQ(platform::ControlText(sw::FinishSoundList), "Progressively Louder");
    EXPECT_EQ(C(sw::WarningSoundList).entries.back(), "Custom Sound (Browse...)") << "the file is gone";
    EXPECT_EQ(C(sw::AboutImage).image, about::PageImage);
    // Places, on the page or the dialog.
    EXPECT_EQ(C(sw::Tabs).place, (platform::Rect{10, 10, 410 + kTitlesWider, 290}));
    EXPECT_EQ(C(sw::Ok).kind, platform::ControlKind::DefaultButton);
    EXPECT_EQ(C(sw::Ok).place, (platform::Rect{340 + kTitlesWider, 305, 80, 25}));
    EXPECT_EQ(C(sw::LanguageLabel).place, (platform::Rect{-50, 23, 175, 20}));
    // The minutes fields grow to hold three digits; the colon and seconds follow.
    const int minutesWidth = 3 * fake::kCharWidth + fake::FakeChrome(platform::ControlKind::DigitsField);
    EXPECT_EQ(C(sw::Seconds + 4).place, (platform::Rect{130 + minutesWidth + 11, 126, 22, 20}));
    EXPECT_EQ(C(sw::WarningPopupPreview).place, (platform::Rect{328, 110, 70, 20}));
    EXPECT_EQ(C(sw::BreakTime).place, (platform::Rect{150, 206, 170, 20}));  // under the finish volume
    EXPECT_EQ(C(sw::NextPage).page, sw::About);
    // Tab order is the order of adding: reading order within each page.
    const auto& order = fake::dialog.order;
    const auto at = [&](int control) { return std::find(order.begin(), order.end(), control) - order.begin(); };
    EXPECT_LT(at(sw::Tabs), at(sw::LanguageLabel));
    EXPECT_LT(at(sw::Language), at(sw::Edit));
    EXPECT_LT(at(sw::Minutes + 1), at(sw::Seconds + 1));
    EXPECT_LT(at(sw::Seconds + 1), at(sw::Minutes + 2));
    EXPECT_LT(at(sw::AutoRestart), at(sw::Ok));
    EXPECT_LT(at(sw::Ok), at(sw::Cancel));
    fake::PushClick(sw::Cancel);
    RunSettingsWindow();
    EXPECT_FALSE(fake::dialog.open);
    EXPECT_EQ(settings.WarningSoundFile, 1) << "replaced at opening, whatever closes the window";
    EXPECT_EQ(settings.WarningSoundCustom, "C:\\gone\\bell.wav");
}

TEST_F(SettingsWindow, TaskbarBoxOnlyFromWindows7) {
    fake::dialog.windows7 = false;
    settings.ShowTaskBarProgress = 1;
    fake::PushClick(sw::Ok);
    Run();
    EXPECT_EQ(settings.ShowTaskBarProgress, 0);
    fake::dialog.windows7 = true;
    OpenSettingsWindow();
    EXPECT_TRUE(platform::ControlExists(sw::TaskbarProgress));
    platform::CloseDialog();
}

TEST_F(SettingsWindow, OkStoresTypedPresetsAndSaves) {
    settings.Button3 = 605;
    fake::PushClick(sw::Ok);
    OpenSettingsWindow();
    fake::TypeInto(sw::Minutes + 2, "0");
    fake::TypeInto(sw::Seconds + 2, "90");
    fake::TypeInto(sw::Salary, "1234567890123456789012345678901234567890");  // pasted: nine digits at most
    RunSettingsWindow();
    EXPECT_EQ(settings.Button3, 90);
    EXPECT_EQ(settings.CostSalary, 999999999);
    const std::string saved = File("HV_Settings.ini");
    EXPECT_NE(saved.find("\r\nButton3 = 90\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nCostSalary = 999999999\r\n"), std::string::npos);
    // The file written afterwards loads to the same values.
    settings = Settings{};
    LoadSettings();
    EXPECT_EQ(settings.Button3, 90);
    EXPECT_EQ(settings.CostSalary, 999999999);
}

TEST_F(SettingsWindow, PresetFieldsSelectAllOnFocus) {
    OpenSettingsWindow();
    fake::PushDialog(DialogEventKind::Focused, sw::Seconds + 4, [] {
        EXPECT_FALSE(C(sw::Seconds + 4).textSelected);
    });
    fake::PushDialog(DialogEventKind::Focused, sw::Salary);
    fake::PushDialog(DialogEventKind::None, 0, [] {
        EXPECT_TRUE(C(sw::Seconds + 4).textSelected);
        EXPECT_FALSE(C(sw::Salary).textSelected);
    });
    fake::PushClick(sw::Cancel);
    RunSettingsWindow();
}

TEST_F(SettingsWindow, DefaultsThenCancelChangesNothing) {
    settings.Button1 = 7;
    settings.Button5 = 4000;
    const Settings before = settings;
    fake::PushClick(sw::Defaults);
    fake::PushDialog(DialogEventKind::None, 0, [] {
        EXPECT_EQ(C(sw::Minutes + 4).text, "30");
        EXPECT_EQ(C(sw::Seconds + 0).text, "0");
        EXPECT_EQ(C(sw::Minutes + 0).text, "1");
    });
    fake::PushClick(sw::Cancel);
    Run();
    EXPECT_EQ(settings.Button1, 7);
    EXPECT_EQ(settings.Button5, 4000);
    EXPECT_TRUE(File("HV_Settings.ini").empty()) << "Cancel saves nothing";
    fake::PushClick(sw::Defaults);
    fake::PushDialog(DialogEventKind::Close, 0);
    Run();
    EXPECT_EQ(settings.Button1, 7) << "the close box stores nothing either";
}

TEST_F(SettingsWindow, CustomWarningTimePrompt) {
    fake::shell.answers = {"2:5"};
    fake::PushSelect(sw::WarningTime, 0);
    fake::PushClick(sw::Ok);
    Run();
    ASSERT_EQ(fake::shell.prompts.size(), 1u);
    EXPECT_EQ(fake::shell.prompts[0].title, "Horavel");
    EXPECT_EQ(fake::shell.prompts[0].question, "Enter Custom Time (Min:Sec)");
    EXPECT_EQ(fake::shell.prompts[0].answer, "01:30");
    EXPECT_EQ(settings.WarningTime, -125);

    // A custom time proposes itself; an empty answer gives 0 (00:00).
    fake::shell.answers = {""};
    fake::PushSelect(sw::WarningTime, 0);
    fake::PushDialog(DialogEventKind::None, 0, [] { EXPECT_EQ(platform::ControlText(sw::WarningTime), "Custom... (00:00)"); });
    fake::PushClick(sw::Ok);
    Run();
    EXPECT_EQ(fake::shell.prompts[1].answer, "02:05");
    EXPECT_EQ(settings.WarningTime, 0);
}

TEST_F(SettingsWindow, CancelledCustomWarningTimeChangesNothing) {
    // Cancel, Esc and the close box of the prompt all come back as no answer:
    // the list returns to the entry it had, the custom entry keeps its text.
    struct Case {
        std::int32_t stored;
        std::string customEntry;
    };
    const Case cases[] = {{3, "Custom..."}, {-75, "Custom... (01:15)"}, {8, "Custom..."}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        settings.WarningTime = c.stored;
        fake::shell.answers = {std::nullopt};
        fake::PushSelect(sw::WarningTime, 0);
        fake::PushDialog(DialogEventKind::None, 0, [c] {
            EXPECT_EQ(C(sw::WarningTime).selected, c.stored > 0 ? c.stored : 0);
            EXPECT_EQ(C(sw::WarningTime).entries[0], c.customEntry);
        });
        fake::PushClick(sw::Ok);
        Run();
        EXPECT_EQ(settings.WarningTime, c.stored);
    }
    // A preset picked first is the entry a cancelled prompt goes back to.
    settings.WarningTime = 3;
    fake::shell.answers = {std::nullopt};
    fake::PushSelect(sw::WarningTime, 5);
    fake::PushSelect(sw::WarningTime, 0);
    fake::PushClick(sw::Ok);
    Run();
    EXPECT_EQ(settings.WarningTime, 5);
}

TEST_F(SettingsWindow, LanguagePreviewRelabelsAndKeepsEverything) {
    settings.WarningTime = -75;
    settings.CostPeriod = 2;
    settings.FinishAutoBreakTime = 6;
    settings.FinishSoundFile = 20;
    settings.FinishSoundCustom = "C:\\Users\\tester\\Music\\A rather long folder name\\fanfare.wav";
    fake::state.files[settings.FinishSoundCustom] = "RIFF";
    const std::string compacted = fake::FakeCompactPath(settings.FinishSoundCustom, 200);
    ASSERT_NE(compacted, settings.FinishSoundCustom) << "too long for 200 pixels";
    fake::shell.answers = {"3:10"};
    fake::PushSelect(sw::WarningTime, 0);
    fake::PushDialog(DialogEventKind::None, 0, [] { fake::TypeInto(sw::Minutes + 1, "42"); });
    fake::PushSelect(sw::Language, 2);  // "Deutsch"
    fake::PushDialog(DialogEventKind::None, 0, [compacted] {
        EXPECT_EQ(C(sw::Cancel).text, "Abbruch");
        EXPECT_EQ(C(sw::Tabs).entries[0], "Allgemein");
        EXPECT_EQ(C(sw::Tabs).selected, 0);
        EXPECT_EQ(fake::dialog.title, "Horavel " + Message(113));
        EXPECT_EQ(C(sw::ButtonLabel + 2).text, Message(112) + " 3");
        EXPECT_EQ(platform::ControlText(sw::WarningTime), Message(96) + " (03:10)");
        EXPECT_EQ(platform::ControlText(sw::Period), Message(12));
        EXPECT_EQ(platform::ControlText(sw::BreakTime), Message(78));
        for (int entry = 1; entry <= 8; ++entry)
            EXPECT_EQ(C(sw::WarningTime).entries[entry], Message(36 + entry)) << "warning time entry " << entry;
        EXPECT_EQ(Message(37), "Automatisch (20 %)");
        EXPECT_EQ(C(sw::WarningSoundList).entries.front(), Message(69));
        EXPECT_EQ(C(sw::WarningSoundList).entries.back(), Message(69)) << "no warning file: the browse text";
        EXPECT_EQ(platform::ControlText(sw::FinishSoundList), compacted) << "a file keeps its entry, selected";
        EXPECT_EQ(C(sw::Minutes + 1).text, "42");
        EXPECT_EQ(platform::ControlText(sw::Language), "Deutsch");
    });
    fake::PushClick(sw::Cancel);
    Run();
    EXPECT_EQ(Message(2), "Cancel") << "Cancel undoes the preview";
    EXPECT_EQ(settings.Language, "English");
    EXPECT_EQ(settings.WarningTime, -75);

    fake::PushSelect(sw::Language, 2);
    fake::PushSelect(sw::WarningTime, 0);
    fake::shell.answers = {"1:05"};
    fake::PushClick(sw::Ok);
    Run();
    EXPECT_EQ(settings.Language, "Deutsch");
    EXPECT_EQ(settings.WarningTime, -65) << "read back with the German custom text";
    EXPECT_EQ(Message(2), "Abbruch");
}

TEST_F(SettingsWindow, EditWritesTheLanguageFileOnceAndOpensIt) {
    fake::PushClick(sw::Edit);
    fake::PushDialog(DialogEventKind::None, 0, [] { fake::state.files[kFolder + "English_v167.txt"] = "mine"; });
    fake::PushClick(sw::Edit);
    fake::PushClick(sw::Cancel);
    Run();
    EXPECT_EQ(File("English_v167.txt"), "mine") << "the second press does not rewrite";
    EXPECT_EQ(std::count(fake::state.calls.begin(), fake::state.calls.end(),
                         "OpenDocument " + kFolder + "English_v167.txt"),
              2);
    EXPECT_TRUE(fake::state.messageBoxes.empty());

    // A user's own language, not in the list, is edited under its own name.
    settings.Language = "Klingon";
    fake::state.files[kFolder + "Klingon_v167.txt"] = "tlhIngan";
    fake::PushClick(sw::Edit);
    fake::PushClick(sw::Cancel);
    Run();
    EXPECT_NE(std::find(fake::state.calls.begin(), fake::state.calls.end(), "OpenDocument " + kFolder + "Klingon_v167.txt"),
              fake::state.calls.end());
    EXPECT_EQ(File("_v167.txt"), "");
}

TEST_F(SettingsWindow, EditInAReadOnlyFolderReportsAndStaysOpen) {
    fake::state.failWrites = true;
    fake::PushClick(sw::Edit);
    fake::PushDialog(DialogEventKind::None, 0, [] { EXPECT_TRUE(fake::dialog.open); });
    fake::PushClick(sw::Ok);
    Run();
    ASSERT_EQ(fake::state.messageBoxes.size(), 1u);
    EXPECT_EQ(fake::state.messageBoxes[0].first, "Horavel");
    EXPECT_EQ(fake::state.messageBoxes[0].second, Message(127));
    EXPECT_TRUE(std::none_of(fake::state.calls.begin(), fake::state.calls.end(),
                             [](const std::string& c) { return c.rfind("OpenDocument", 0) == 0; }));
}

TEST_F(SettingsWindow, SoundListChoiceAndPreview) {
    StartSoundSystem();
    const std::string path = "C:\\Users\\tester\\Music\\A rather long folder name\\bell.wav";
    fake::state.files[path] = "RIFF";
    fake::PushSelect(sw::WarningSoundList, 0);
    fake::PushDialog(DialogEventKind::None, 0, [path] {
        EXPECT_EQ(C(sw::WarningSoundList).selected, 11) << "the chosen file's entry is selected";
        EXPECT_EQ(C(sw::WarningSoundList).entries.back(), fake::FakeCompactPath(path, 200));
        EXPECT_EQ(settingsWindow.warningSoundPath, path);
        fake::state.sound.chosenFile.clear();  // the next chooser is cancelled
    });
    fake::PushSelect(sw::WarningSoundList, 0);
    fake::PushDialog(DialogEventKind::None, 0, [path] {
        EXPECT_EQ(C(sw::WarningSoundList).selected, 0) << "cancelled: the browse entry stays selected";
        EXPECT_EQ(settingsWindow.warningSoundPath, path);
        EXPECT_TRUE(fake::state.sound.playing.empty()) << "choosing plays nothing afterwards";
    });
    fake::PushSelect(sw::FinishSoundList, 3);
    fake::PushDialog(DialogEventKind::None, 0, [] { EXPECT_FALSE(fake::state.sound.playing.empty()) << "heard"; });
    fake::PushDialog(DialogEventKind::TabChanged, sw::Tabs);
    fake::PushDialog(DialogEventKind::None, 0, [] { EXPECT_TRUE(fake::state.sound.playing.empty()) << "stopped"; });
    fake::PushClick(sw::Ok);
    fake::state.sound.chosenFile = path;
    Run();
    EXPECT_EQ(settings.WarningSoundFile, 0);
    EXPECT_EQ(settings.WarningSoundCustom, path);
    EXPECT_EQ(settings.FinishSoundFile, 3);
}

TEST_F(SettingsWindow, EnableRulesFollowTheBoxes) {
    // Clock and timer shown, cost not: unticking the timer leaves the clock alone.
    fake::PushCheck(sw::ShowTimer, false);
    fake::PushDialog(DialogEventKind::None, 0, [] {
        EXPECT_FALSE(C(sw::ShowClock).enabled);
        EXPECT_TRUE(C(sw::ShowTimer).enabled);
        EXPECT_TRUE(C(sw::ShowCost).enabled);
    });
    fake::PushCheck(sw::ShowCost, true);
    fake::PushDialog(DialogEventKind::None, 0, [] { EXPECT_TRUE(C(sw::ShowClock).enabled); });
    fake::PushSelect(sw::Location, 0);
    fake::PushCheck(sw::WarningYellow, false);
    fake::PushCheck(sw::BreakTimer, true);
    fake::PushDialog(DialogEventKind::None, 0, [] {
        EXPECT_FALSE(C(sw::Height).enabled);
        EXPECT_FALSE(C(sw::WarningBlink).enabled);
        EXPECT_TRUE(C(sw::BreakTime).enabled);
    });
    fake::PushClick(sw::Ok);
    Run();
    EXPECT_EQ(settings.ShowTimer, 0);
    EXPECT_EQ(settings.ShowCostCounter, 1);
    EXPECT_EQ(settings.WarningBlink, 1) << "a disabled box keeps its state and is stored";
}

TEST_F(SettingsWindow, AboutPagesTurnAndButtonsRepaint) {
    settingsWindow.aboutPage = 5;
    OpenSettingsWindow();
    EXPECT_EQ(settingsWindow.aboutPage, 0) << "page 0 at each opening";
    EXPECT_EQ(C(sw::AboutImage).image, about::PageImage);
    for (int i = 0; i < 7; ++i) fake::PushClick(sw::NextPage);
    fake::PushDialog(DialogEventKind::None, 0, [] { EXPECT_EQ(settingsWindow.aboutPage, 7); });
    fake::PushClick(sw::NextPage);
    fake::PushDialog(DialogEventKind::None, 0, [] { EXPECT_EQ(settingsWindow.aboutPage, 0); });
    fake::PushClick(sw::PreviousPage);
    fake::PushDialog(DialogEventKind::None, 0, [] { EXPECT_EQ(settingsWindow.aboutPage, 7); });
    // Idle passes repaint the buttons over the picture.
    fake::PushDialog(DialogEventKind::None, 0, [] { fake::ControlOf(sw::NextPage).repaints = 0; });
    fake::PushDialog(DialogEventKind::None, 0);
    fake::PushDialog(DialogEventKind::None, 0, [] { EXPECT_EQ(C(sw::NextPage).repaints, 2); });
    fake::PushClick(sw::Home);
    fake::PushClick(sw::Cancel);
    RunSettingsWindow();
    EXPECT_NE(std::find(fake::state.calls.begin(), fake::state.calls.end(), "OpenWebPage " + std::string(about::HomePage)),
              fake::state.calls.end());
}

TEST_F(SettingsWindow, BorderOffKeepsTheRightEdgeOfADockedWindow) {
    // Framed, docked at the right edge of a 1920-pixel screen.
    settings.ShowWinBorder = 1;
    MeasureScreen();
    fake::state.window.framed = true;
    const int frames = windowMetrics.frameLeft + windowMetrics.frameRight;
    platform::MoveMainWindow(1920 - 93 - frames, 23, 93, 1000);
    const int rightEdge = platform::WindowX() + frames + platform::WindowInnerWidth();

    fake::PushCheck(sw::Border, false);
    fake::PushClick(sw::Ok);
    Run();
    EXPECT_FALSE(fake::state.window.framed);
    EXPECT_EQ(settings.BorderChanged, 0);
    EXPECT_EQ(windowMetrics.frameLeft, 0);
    EXPECT_EQ(platform::WindowX() + platform::WindowInnerWidth(), rightEdge);
    EXPECT_EQ(platform::WindowInnerHeight(), 1000 + 39) << "the frame's height joins the inner height";
    EXPECT_EQ(fake::state.minWidth, 25);

    fake::PushCheck(sw::Border, true);
    fake::PushClick(sw::Ok);
    Run();
    EXPECT_TRUE(fake::state.window.framed);
    EXPECT_EQ(platform::WindowX() + frames + platform::WindowInnerWidth(), 1920) << "held on the screen";
    const auto hide = std::find(fake::state.calls.begin(), fake::state.calls.end(), "HideMainWindow");
    EXPECT_NE(std::find(hide, fake::state.calls.end(), "ShowMainWindow"), fake::state.calls.end());
}

}  // namespace

// The places: the design's as the least, each control grown to its text as
// the fake measures it (5 pixels a character plus its frame), the controls
// after it on its rows moved along, and the window widened.
namespace {

struct GrowCase {
    const char* what;
    std::function<void()> lengthen;  // a longer text, as another language has it
    int control;                     // a control that must move or grow
    platform::Rect place;            // where it then stands
    int dialogWidth;
};

}  // namespace

TEST_F(SettingsWindow, ControlsGrowToTheirTextsAndPushTheirRows) {
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
        // Eight titles of 100 pixels and 12 of frame each, and 4: 900.
        {"the tab titles",
         [] {
             for (std::string& title : C(sw::Tabs).entries) title = std::string(20, 'x');
         },
         sw::Tabs, {10, 10, 900, 290}, 428 + 490},
        {"OK under the wider panel",
         [] {
             for (std::string& title : C(sw::Tabs).entries) title = std::string(20, 'x');
         },
         sw::Ok, {340 + 490, 305, 80, 25}, 428 + 490},
        {"a button alone on its row", [] { C(sw::Defaults).text = std::string(30, 'x'); }, sw::Defaults,
         {130, 156, 160, 20}, kEnglishWidth},
        // "Progressively Louder" and the browse entry fit in 170; a long one does not.
        {"a list's widest entry", [] { C(sw::FinishSoundList).entries.push_back(std::string(40, 'x')); },
         sw::FinishSoundList, {150, 131, 224, 20}, kEnglishWidth},
    };
    for (const GrowCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        OpenSettingsWindow();
        c.lengthen();
        LayOutSettingsControls();
        EXPECT_EQ(C(c.control).place, c.place);
        EXPECT_EQ(fake::dialog.innerWidth, c.dialogWidth);
        EXPECT_EQ(fake::dialog.innerHeight, 370);
    }
}

TEST_F(SettingsWindow, PresetFieldsHoldThreeDigitsUnderTheirHeader) {
    OpenSettingsWindow();
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

TEST_F(SettingsWindow, ShorterTextsGiveTheDesignedWindowBack) {
    OpenSettingsWindow();
    C(sw::WarningFlash).text = std::string(50, 'x');
    LayOutSettingsControls();
    ASSERT_EQ(fake::dialog.innerWidth, 428 + 74);
    RelabelSettingsWindow();  // the language's own texts again
    EXPECT_EQ(fake::dialog.innerWidth, kEnglishWidth);
    EXPECT_EQ(C(sw::WarningFlashPreview).place, (platform::Rect{328, 86, 70, 20}));
    EXPECT_EQ(C(sw::Tabs).place, (platform::Rect{10, 10, 410 + kTitlesWider, 290}));
    EXPECT_EQ(C(sw::Ok).place, (platform::Rect{340 + kTitlesWider, 305, 80, 25}));
}

namespace {

// Both alerts sound, the warning with the door bell and the finish with the gong.
void SoundBothAlerts() {
    StartSoundSystem();
    settings.WarningSound = settings.FinishSound = 1;
    settings.WarningSoundFile = 4;
    settings.FinishSoundFile = 10;
}

// Checks, when the script reaches it, what a control's text reads.
void ExpectText(int control, const std::string& text) {
    fake::PushDialog(DialogEventKind::None, 0, [control, text] { EXPECT_EQ(fake::ControlOf(control).text, text); });
}

// Checks, when the script reaches it, the built-in sound that plays and its volume.
void ExpectPlaying(int sound, int volume) {
    fake::PushDialog(DialogEventKind::None, 0, [sound, volume] {
        EXPECT_EQ(fake::state.sound.playing.data(), BuiltInSound(sound).data()) << sound;
        EXPECT_EQ(fake::state.sound.volume, volume) << sound;
    });
}

}  // namespace

TEST_F(SettingsWindow, EachSoundListHasItsVolumeRowBelowIt) {
    settings.WarningVolume = 40;
    OpenSettingsWindow();
    struct Row {
        int label, slider, value;
        int page, y;
        int volume;
        const char* shown;
    } rows[] = {
        {sw::WarningVolumeLabel, sw::WarningVolume, sw::WarningVolumeValue, sw::Warning, 181, 40, "40%"},
        {sw::FinishVolumeLabel, sw::FinishVolume, sw::FinishVolumeValue, sw::Finish, 156, 100, "100%"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(C(r.label).text, "Volume");
        EXPECT_EQ(C(r.slider).kind, platform::ControlKind::Slider);
        EXPECT_EQ(C(r.slider).value, r.volume);
        EXPECT_EQ(C(r.value).text, r.shown);
        for (int control : {r.label, r.slider, r.value}) {
            EXPECT_EQ(C(control).page, r.page) << control;
            EXPECT_GE(C(control).place.y, r.y) << control;
            EXPECT_LT(C(control).place.y, r.y + 5) << control;
        }
        // In a row from the sound list's left edge: the label, the slider, the percentage.
        EXPECT_EQ(C(r.label).place.x, 150);
        EXPECT_LE(C(r.label).place.x + C(r.label).place.width, C(r.slider).place.x);
        EXPECT_LE(C(r.slider).place.x + C(r.slider).place.width, C(r.value).place.x);
    }
    // The finish page's break rows make room; the keyboard's Tab reaches the slider after the list.
    EXPECT_EQ(C(sw::BreakTimer).place.y, 181);
    EXPECT_EQ(C(sw::AutoRestart).place.y, 231);
    const auto& order = fake::dialog.order;
    const auto at = [&](int control) { return std::find(order.begin(), order.end(), control) - order.begin(); };
    EXPECT_LT(at(sw::FinishSoundList), at(sw::FinishVolume));
    EXPECT_LT(at(sw::FinishVolume), at(sw::BreakTimer));
    fake::PushClick(sw::Cancel);
    RunSettingsWindow();
}

TEST_F(SettingsWindow, MovingAVolumeSliderShowsThePercentageAndLettingGoPlaysTheSoundAtIt) {
    SoundBothAlerts();
    fake::PushSlide(sw::FinishVolume, {90, 70});
    ExpectText(sw::FinishVolumeValue, "70%");
    ExpectPlaying(10, 70);
    fake::PushSlide(sw::WarningVolume, {25});
    ExpectText(sw::WarningVolumeValue, "25%");
    ExpectPlaying(4, 25);
    fake::PushSelect(sw::FinishSoundList, 3);  // a preview from the list plays at the slider's volume too
    ExpectPlaying(3, 70);
    fake::PushClick(sw::Ok);
    Run();
    EXPECT_EQ(settings.WarningVolume, 25);
    EXPECT_EQ(settings.FinishVolume, 70);
}

TEST_F(SettingsWindow, TheUsersFileIsPreviewedAtTheVolumeSlidersVolume) {
    SoundBothAlerts();
    const std::string path = "C:\\Sounds\\gong.wav";
    fake::state.files[path] = "RIFF";
    settings.FinishSoundFile = 20;
    settings.FinishSoundCustom = path;
    fake::PushSlide(sw::FinishVolume, {30});
    fake::PushClick(sw::Cancel);
    Run();
    EXPECT_EQ(fake::state.sound.mediaCommands,
              (std::vector<std::string>{"OPEN \"" + path + "\" Type MPEGVIDEO ALIAS MP3_1",
                                        "setaudio MP3_1 volume to 300", "play MP3_1 from 0", "close MP3_1"}));
    EXPECT_EQ(settings.FinishVolume, 100) << "Cancel keeps the volume";
}

TEST_F(SettingsWindow, TheVolumeRowIsEnabledWithItsPlaySoundBox) {
    SoundBothAlerts();
    settings.FinishSound = 0;
    fake::PushCheck(sw::WarningSound, false);
    fake::PushDialog(DialogEventKind::None, 0, [] {
        for (int control : {sw::WarningVolumeLabel, sw::WarningVolume, sw::WarningVolumeValue, sw::FinishVolumeLabel,
                            sw::FinishVolume, sw::FinishVolumeValue})
            EXPECT_FALSE(C(control).enabled) << control;
    });
    fake::PushCheck(sw::FinishSound, true);
    fake::PushDialog(DialogEventKind::None, 0, [] {
        for (int control : {sw::FinishVolumeLabel, sw::FinishVolume, sw::FinishVolumeValue})
            EXPECT_TRUE(C(control).enabled) << control;
        EXPECT_FALSE(C(sw::WarningVolume).enabled);
    });
    fake::PushClick(sw::Ok);
    Run();
    EXPECT_EQ(settings.WarningVolume, 100) << "a disabled slider keeps its value";
}

TEST_F(SettingsWindow, TheVolumesPercentageFollowsTheLanguage) {
    settings.WarningVolume = 5;
    fake::PushSelect(sw::Language, 2);  // "Deutsch"
    ExpectText(sw::WarningVolumeValue, "5 %");
    ExpectText(sw::WarningVolumeLabel, "Lautstärke");
    fake::PushClick(sw::Cancel);
    Run();
}
