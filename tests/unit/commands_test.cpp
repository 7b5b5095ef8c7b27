// The popup menu's commands on the fake platform, started as the program
// starts, at 10:07:30: each entry range, and the prompts fed what people type.
#include <gtest/gtest.h>

#include <optional>

#include "app/Horavel_Main.h"
#include "app/commands.h"
#include "app/main_window.h"
#include "app/timer_engine.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "tests/support/fake_platform.h"
#include "tests/unit/app_fixture.h"
#include "tests/support/fake_shell.h"
#include "timekeeping/time_values.h"
#include "timekeeping/timer_menu.h"

namespace {

constexpr std::optional<std::string> Cancel = std::nullopt;
const std::string FortyDigits(40, '9');

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWholeProgram();
        ASSERT_TRUE(InitApplication());
    }
    // Chooses an entry of a freshly built menu, answering its prompt if it has one.
    static bool Choose(int item, std::optional<std::string> answer = Cancel) {
        BuildTimerMenu();
        fake::shell.answers = {answer};
        return RunMenuCommand(item);
    }
    static TimeValue Today(int hour, int minute) {
        return MakeTimeValue(2000, 3, 14, hour, minute, 0);
    }
    static std::int32_t Remaining() {
        SampleTimer();
        return RemainingMs();
    }
};

}  // namespace

TEST_F(Commands, MeetingTimesFromTheListsAndTheirPrompts) {
    Choose(5);  // 10:45 AM
    EXPECT_EQ(meetingStart, Today(10, 45));
    Choose(20);  // 11:00 AM
    EXPECT_EQ(meetingEnd, Today(11, 0));

    struct Case {
        std::optional<std::string> typed;
        TimeValue time;
    };
    // Midnight lies ten hours back: still today's. Cancel keeps the time there was.
    const Case cases[] = {
        {"10:10", Today(10, 10)}, {"2:15 PM", Today(14, 15)}, {"12:10 AM", Today(0, 10)},
        {"8:00", Today(8, 0)},    {"99:99", Today(23, 59)},    {"-3:00", Today(0, 0)},
        {"abc", Today(0, 0)},     {"", Today(0, 0)},           {Cancel, Today(11, 30)},
        {FortyDigits, Today(23, 0)},
    };
    for (const Case& c : cases) {
        const std::string label = c.typed.value_or("(cancel)");
        meetingStart = meetingEnd = Today(11, 30);  // ahead: the lists are not re-centred
        Choose(17, c.typed);
        EXPECT_EQ(meetingStart, c.time) << label;
        Choose(34, c.typed);
        EXPECT_EQ(meetingEnd, c.time) << label;
    }
    meetingStart = Today(10, 0);
    Choose(17, "1:00 PM");
    ASSERT_EQ(fake::shell.prompts.size(), 2 * std::size(cases) + 1);
    EXPECT_EQ(fake::shell.prompts.back().title, "Meeting Start Time");
    EXPECT_EQ(fake::shell.prompts.back().question, "Enter Custom Time (Hrs:Min)");
    EXPECT_EQ(fake::shell.prompts.back().answer, "10:00 AM");
    EXPECT_EQ(fake::shell.prompts.back().ok, "OK");
    Choose(34);
    EXPECT_EQ(fake::shell.prompts.back().title, "Meeting End Time");
}

TEST_F(Commands, TypedStartTimeShowsAsTheCheckedCustomEntry) {
    Choose(17, "10:10");
    BuildTimerMenu();
    EXPECT_EQ(TimerMenuText(17), "Custom... (10:10 AM)");
    Choose(3);  // back to a listed time: 10:15 AM
    BuildTimerMenu();
    EXPECT_EQ(TimerMenuText(17), "Custom...");
}

TEST_F(Commands, ParticipantsFromTheListAndTheirPrompt) {
    Choose(50);
    EXPECT_EQ(settings.NumOfParticipants, 17);
    struct Case {
        std::optional<std::string> typed;
        std::int32_t participants;
    };
    const Case cases[] = {{"45", 45},  {" 12 people", 12}, {"-5", 0}, {"abc", 0},
                          {"", 0},     {Cancel, 10},       {FortyDigits, INT32_MAX}};
    for (const Case& c : cases) {
        settings.NumOfParticipants = 10;
        Choose(64, c.typed);
        EXPECT_EQ(settings.NumOfParticipants, c.participants) << c.typed.value_or("(cancel)");
    }
    EXPECT_EQ(fake::shell.prompts.back().title, "Horavel");
    EXPECT_EQ(fake::shell.prompts.back().question, "Number of Participants");
    EXPECT_EQ(fake::shell.prompts.back().answer, "10");

    Choose(64, "45");
    BuildTimerMenu();
    EXPECT_EQ(TimerMenuText(64), "Custom... (45 persons)");
    SaveSettings();  // the number reaches the file at the next save
    EXPECT_NE(fake::state.files.at(SettingsFolder + "HV_Settings.ini").find("NumOfParticipants = 45"),
              std::string::npos);
}

TEST_F(Commands, CountDownsAndTheirPrompt) {
    const std::pair<int, std::int32_t> listed[] = {{65, 300000},   {67, 900000},   {75, 3300000},
                                                   {76, 3600000}, {77, 5400000}, {78, 7200000}};
    for (auto [item, ms] : listed) {
        Choose(item);
        EXPECT_EQ(timerState.mode, CountDown);
        EXPECT_EQ(timerState.durationMs, ms) << item;
    }
    struct Case {
        std::optional<std::string> typed;
        std::int32_t ms;
    };
    // Cancel leaves the running 10-minute count-down as it was: same mode, length and start.
    const Case cases[] = {
        {"45", 2700000},  {"0:45", 45000},   {"1:30", 90000}, {"2.30", 150000},    {"-5:00", 300000},
        {"99:99", 6039000}, {"abc", 0},      {"", 0},         {Cancel, 600000},    {FortyDigits, MaxDurationCount * 1000},
    };
    for (const Case& c : cases) {
        for (int item : {79, 93}) {
            const std::string label = std::to_string(item) + " " + c.typed.value_or("(cancel)");
            Choose(66);  // 10 mins, running
            if (timerState.paused) TogglePause();
            fake::state.tick += 5000;
            const std::uint32_t started = timerState.startTick;
            Choose(item, c.typed);
            EXPECT_EQ(timerState.durationMs, c.ms) << label;
            const bool breakStarted = c.typed && item == 93;
            EXPECT_EQ(timerState.mode, breakStarted ? Break : CountDown) << label;
            if (!c.typed) {
                EXPECT_EQ(timerState.startTick, started) << label;
                EXPECT_EQ(timerState.paused, 0) << label << ": still running";
                EXPECT_EQ(Remaining(), 595000) << label;
            }
        }
    }
    EXPECT_EQ(fake::shell.prompts.back().title, "Start Break Timer");
    EXPECT_EQ(fake::shell.prompts.back().question, "Enter Custom Time (Min:Sec)");
    EXPECT_EQ(fake::shell.prompts.back().answer, "");
}

TEST_F(Commands, CountUpBreaksAndReturnAt) {
    Choose(80);
    EXPECT_EQ(timerState.mode, CountUp);
    EXPECT_EQ(timerState.paused, 0);
    Choose(84);  // 20 mins
    EXPECT_EQ(timerState.mode, Break);
    EXPECT_EQ(Remaining(), 1200000);
    EXPECT_EQ(fake::state.state, platform::WindowState::Maximized);

    Choose(94);  // 10:10 AM, two and a half minutes from now
    EXPECT_EQ(timerState.mode, Until);
    EXPECT_EQ(Remaining(), 150000);
    Choose(106, "8:00");  // earlier today: in overtime at once
    EXPECT_EQ(Remaining(), -7650000);
    // The break timer's own prompt, offering the first time of its list.
    EXPECT_EQ(fake::shell.prompts.back().title, "Start Break Timer");
    EXPECT_EQ(fake::shell.prompts.back().question, "Enter Custom Time (Hrs:Min)");
    EXPECT_EQ(fake::shell.prompts.back().answer, "10:10 AM");
    EXPECT_EQ(fake::shell.prompts.back().answer, TimerMenuText(94));
    Choose(106, "");  // an empty answer: midnight, ten hours back
    EXPECT_EQ(Remaining(), -36450000);
    Choose(94);
    Choose(106, Cancel);  // nothing changes
    EXPECT_EQ(timerState.mode, Until);
    EXPECT_EQ(Remaining(), 150000);
}

// Help writes the guide the program carries beside the settings and opens it
// from there; the guide on the web only when the file cannot be written.
TEST_F(Commands, HelpOpensTheCarriedGuide) {
    const std::string file = SettingsFolder + "Horavel Help.html";
    fake::state.files[file] = "an older guide";
    EXPECT_FALSE(Choose(109));
    const std::string& guide = fake::state.files.at(file);
    EXPECT_EQ(guide.rfind("<!DOCTYPE html>", 0), 0u) << "the carried file replaces the older one";
    EXPECT_NE(guide.find("<h1 id=\"troubleshooting\">Troubleshooting</h1>"), std::string::npos);
    EXPECT_EQ(fake::state.calls.back(), "OpenDocument " + file);

    fake::state.failWrites = true;
    EXPECT_FALSE(Choose(109));
    EXPECT_EQ(fake::state.calls.back(), "OpenWebPage https://www.horavel.com/help/");
}

TEST_F(Commands, PauseAndQuit) {
    EXPECT_FALSE(Choose(107));
    EXPECT_EQ(timerState.paused, 0);
    EXPECT_TRUE(Choose(110));
    EXPECT_FALSE(Choose(0));
    EXPECT_FALSE(Choose(111));
}
