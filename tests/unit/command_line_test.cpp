// Commands to the running copy: the words and their lengths, what the start
// does with them, the status line, and the commands as the running copy runs them.
#include <gtest/gtest.h>

#include "app/Horavel_Main.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/timer_commands.h"
#include "app/timer_engine.h"
#include "display/readouts.h"
#include "settings/settings.h"
#include "tests/support/fake_hotkeys.h"
#include "tests/support/fake_platform.h"
#include "tests/unit/app_fixture.h"
#include "tests/support/fake_shell.h"
#include "timekeeping/time_values.h"

namespace {

using C = CopyCommand;

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        ResetWholeProgram();
    }
    // What the start-up does with these words: the exit code, or -1 when it goes on.
    static int ExitCodeOf(const std::vector<std::string>& words, std::optional<CopyRequest>* kept = nullptr) {
        fake::hotkeys.commandLine = words;
        try {
            const std::optional<CopyRequest> request = TakeCommandLine();
            if (kept) *kept = request;
            return -1;
        } catch (const fake::ProcessEnded& ended) {
            return ended.exitCode;
        }
    }
};

}  // namespace

TEST(CommandWords, ReadTheCommandsAndTurnAwayAnythingElse) {
    struct Row {
        std::vector<std::string> words;
        std::optional<CopyRequest> request;
    };
    const Row rows[] = {
        {{"start", "10m"}, CopyRequest{C::Start, 600000}},
        {{"start", "1:30"}, CopyRequest{C::Start, 90000}},
        {{"start", "90s"}, CopyRequest{C::Start, 90000}},
        {{"start", "1h30m"}, CopyRequest{C::Start, 5400000}},
        {{"start", "1M30S"}, CopyRequest{C::Start, 90000}},
        {{"start", "1:02:03"}, CopyRequest{C::Start, 3723000}},
        {{"start", "25"}, CopyRequest{C::Start, 1500000}},
        {{"start", "0s"}, CopyRequest{C::Start, 0}},
        {{"start", "596h"}, CopyRequest{C::Start, 596 * 3600000}},
        {{"pause"}, CopyRequest{C::Pause, 0}},
        {{"resume"}, CopyRequest{C::Resume, 0}},
        {{"toggle"}, CopyRequest{C::Toggle, 0}},
        {{"reset"}, CopyRequest{C::Reset, 0}},
        {{"add", "1m"}, CopyRequest{C::Add, 60000}},
        {{"sub", "1m"}, CopyRequest{C::Sub, 60000}},
        {{"countup"}, CopyRequest{C::CountUp, 0}},
        {{"break", "10m"}, CopyRequest{C::Break, 600000}},
        {{"until", "14:30"}, CopyRequest{C::Until, 52200}},
        {{"until", "0:05"}, CopyRequest{C::Until, 300}},
        {{"status"}, CopyRequest{C::Status, 0}},
        {{"preset", "3"}, CopyRequest{C::Preset, 3}},
        {{"Start", "10M"}, CopyRequest{C::Start, 600000}},  // letters in either case, as Windows reads commands
        {{"PAUSE"}, CopyRequest{C::Pause, 0}},
        // Turned away.
        {{}, std::nullopt},
        {{""}, std::nullopt},
        {{"preset", "0"}, std::nullopt},
        {{"preset", "6"}, std::nullopt},
        {{"preset"}, std::nullopt},
        {{"preset", "1", "2"}, std::nullopt},
        {{"stop"}, std::nullopt},
        {{"start"}, std::nullopt},
        {{"start", ""}, std::nullopt},
        {{"start", "-5m"}, std::nullopt},
        {{"start", "+5m"}, std::nullopt},
        {{"start", "99999h"}, std::nullopt},
        {{"start", "597h"}, std::nullopt},
        {{"start", "99999999999999999999"}, std::nullopt},
        {{"start", "10x"}, std::nullopt},
        {{"start", "m"}, std::nullopt},
        {{"start", "30s10m"}, std::nullopt},  // units out of order
        {{"start", "5m5m"}, std::nullopt},
        {{"start", "1:75"}, std::nullopt},
        {{"start", "1:2:3:4"}, std::nullopt},
        {{"start", "1:"}, std::nullopt},
        {{"start", "10m", "now"}, std::nullopt},
        {{"pause", "now"}, std::nullopt},
        {{"until", "24:00"}, std::nullopt},
        {{"until", "9:5"}, std::nullopt},
        {{"until", "14"}, std::nullopt},
        {{"until"}, std::nullopt},
        {{"status", "all"}, std::nullopt},
    };
    for (const Row& row : rows) {
        std::string words;
        for (const std::string& w : row.words) words += "[" + w + "]";
        EXPECT_EQ(ParseCommandWords(row.words), row.request) << words;
    }
}

TEST_F(CommandLine, TheStartHandsTheCommandOnOrTellsWhatItKnows) {
    EXPECT_EQ(ExitCodeOf({}), -1) << "no words: the program starts as ever";
    EXPECT_TRUE(fake::hotkeys.output.empty());

    EXPECT_EQ(ExitCodeOf({"stop"}), 2);
    EXPECT_NE(fake::hotkeys.output.find("Usage: Horavel.exe"), std::string::npos);
    fake::hotkeys.output.clear();

    EXPECT_EQ(ExitCodeOf({"status"}), 1) << "no copy runs";
    EXPECT_TRUE(fake::hotkeys.output.empty()) << "and nothing is printed";

    std::optional<CopyRequest> kept;
    EXPECT_EQ(ExitCodeOf({"start", "1:30"}, &kept), -1) << "no copy runs: this one starts and acts";
    EXPECT_EQ(kept, (CopyRequest{C::Start, 90000}));
    EXPECT_TRUE(fake::hotkeys.sent.empty());

    fake::hotkeys.otherCopyRuns = true;
    fake::hotkeys.otherCopyStatus = R"({"mode":"countdown"})";
    EXPECT_EQ(ExitCodeOf({"start", "1:30"}), 0);
    EXPECT_EQ(fake::hotkeys.sent, (std::vector<std::pair<int, std::int64_t>>{{1, 90000}}));
    EXPECT_EQ(ExitCodeOf({"status"}), 0);
    EXPECT_EQ(fake::hotkeys.output, "{\"mode\":\"countdown\"}\n");
    EXPECT_EQ(fake::hotkeys.sent.size(), 1u) << "the status is asked for, not sent as a command";
}

TEST_F(CommandLine, TheStatusLineFollowsWhatTheStripShows) {
    ASSERT_TRUE(InitApplication());
    meetingStart = MakeTimeValue(2000, 3, 14, 10, 0, 0);
    meetingEnd = MakeTimeValue(2000, 3, 14, 11, 30, 0);
    settings.Clock24hr = 1;
    struct Row {
        const char* what;
        void (*act)();
        const char* status;
    };
    const Row rows[] = {
        {"at start (the narrow strip shows whole minutes)", [] { RefreshReadouts(); },
         R"({"mode":"countdown","phase":"paused","text":"15 min","remainingMs":900000,"meetingStart":"10:00","meetingEnd":"11:30"})"},
        {"running", [] {
             RunCopyCommand(static_cast<int>(C::Start), 90000);
             fake::state.tick += 2000;
             RefreshReadouts();
         },
         R"({"mode":"countdown","phase":"running","text":"01:28","remainingMs":88000,"meetingStart":"10:00","meetingEnd":"11:30"})"},
        {"in its warning", [] {
             fake::state.tick += 80000;
             RefreshReadouts();
         },
         R"({"mode":"countdown","phase":"warning","text":"00:08","remainingMs":8000,"meetingStart":"10:00","meetingEnd":"11:30"})"},
        {"in overtime", [] {
             fake::state.tick += 20000;
             RefreshReadouts();
         },
         R"({"mode":"countdown","phase":"finished","text":"00:12","remainingMs":-12000,"meetingStart":"10:00","meetingEnd":"11:30"})"},
        {"counting up", [] {
             RunCopyCommand(static_cast<int>(C::CountUp), 0);
             fake::state.tick += 65000;
             RefreshReadouts();
         },
         R"({"mode":"countup","phase":"running","text":"01:05","remainingMs":65000,"meetingStart":"10:00","meetingEnd":"11:30"})"},
    };
    for (const Row& row : rows) {
        row.act();
        EXPECT_EQ(fake::hotkeys.published, row.status) << row.what;
        EXPECT_EQ(StatusJson(), row.status) << row.what;
    }
    RunCopyCommand(static_cast<int>(C::Break), 300000);
    RefreshReadouts();
    EXPECT_EQ(fake::hotkeys.published,
              R"({"mode":"break","phase":"running","text":"Return in 5 min","remainingMs":300000,)"
              R"("meetingStart":"10:00","meetingEnd":"11:30"})")
        << "the break readout's whole text";
}

TEST_F(CommandLine, TheRunningCopyIgnoresWhatItCannotUse) {
    ASSERT_TRUE(InitApplication());
    fake::shell.windowClasses.insert("screenClass");
    const TimerState before = timerState;
    RunCopyCommand(0, 0);
    RunCopyCommand(99, 60000);
    RunCopyCommand(static_cast<int>(C::Start), -5000);
    RunCopyCommand(static_cast<int>(C::Start), std::int64_t{1} << 40);
    RunCopyCommand(static_cast<int>(C::Until), 86400);
    RunCopyCommand(static_cast<int>(C::Preset), 0);
    RunCopyCommand(static_cast<int>(C::Preset), 6);
    EXPECT_EQ(timerState.durationMs, before.durationMs);
    EXPECT_EQ(timerState.mode, before.mode);
    EXPECT_EQ(timerState.paused, 1);

    RunCopyCommand(static_cast<int>(C::Resume), 0);
    EXPECT_EQ(timerState.paused, 0);
    RunCopyCommand(static_cast<int>(C::Sub), 60000);
    EXPECT_EQ(ShownRemainingMs(), 840000);
    RunCopyCommand(static_cast<int>(C::Until), 11 * 3600);  // the fake clock says 10:07:30
    EXPECT_EQ(timerState.mode, Until);
    EXPECT_EQ(timerState.durationMs, (52 * 60 + 30) * 1000);
    EXPECT_TRUE(fake::shell.foregrounds.empty()) << "the keyboard stays where it was";
}
