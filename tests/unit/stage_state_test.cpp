// What the stage view publishes against what the strip draws: the same
// texts and colours in every mode and phase.
#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"
#include "app/main_window.h"
#include "app/timer_engine.h"
#include "display/layout.h"
#include "display/readouts.h"
#include "platform/images.h"
#include "settings/settings.h"
#include "stage/stage_server.h"
#include "stage/stage_state.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/fake_platform.h"
#include "timekeeping/time_values.h"

using platform::Colour;
using platform::Rgb;

namespace {

// The value of a field of the published JSON, as written (texts keep their quotes).
std::string Field(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\":";
    const std::size_t at = json.find(key);
    if (at == std::string::npos) return "<missing>";
    std::size_t begin = at + key.size(), end = begin;
    if (json[begin] == '"') {
        end = json.find('"', begin + 1) + 1;
    } else {
        while (end < json.size() && json[end] != ',' && json[end] != '}') ++end;
    }
    return json.substr(begin, end - begin);
}

std::string Hex(Colour c) {
    char text[10];
    std::snprintf(text, sizeof text, "\"#%06x\"", c);
    return text;
}

Colour TimerPixel(int x, int y) { return fake::Pixel(image::TimerReadout, x, y); }

bool ImageHolds(Colour c) {
    for (int y = 0; y < timerRect.height; ++y)
        for (int x = 0; x < timerRect.width; ++x)
            if (TimerPixel(x, y) == c) return true;
    return false;
}

class StageStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::OpenReadoutWindow(300, 348);
        settings.ShowMeetingClock = 0;
        settings.ShowCostCounter = 0;
        settings.Mode3D = 0;
        fake::state.tick = 10'000'000;
        ASSERT_EQ(StartStageServer({false, 0, "0123456789abcdef0123456789abcdef", ""}), StageServerStatus::Running);
    }
    void TearDown() override {
        StopStageServer();
        WaitForStageServersEnded();
    }
    void Timer(std::int32_t mode, std::int32_t durationMs, std::int32_t elapsedMs, bool paused) {
        timerState.mode = mode;
        timerState.durationMs = durationMs;
        timerState.warningMs = 120000;
        timerState.startTick = fake::state.tick - static_cast<std::uint32_t>(elapsedMs);
        timerState.startTime = ClockNow() - elapsedMs / 1000;
        timerState.paused = paused ? 1 : 0;
        timerState.pauseTick = fake::state.tick;
        layoutState.relayoutRequested = 1;
        LayoutReadouts(0);
    }
};

TEST_F(StageStateTest, EveryModeAndPhaseShowsTheStripsTextAndColours) {
    struct Case {
        const char* name;
        std::int32_t mode, durationMs, elapsedMs;
        bool paused;
        const char* modeName;
        const char* phase;
        const char* text;  // nullptr: not pinned here
        Colour background;
        bool hasFill;
    };
    const Colour black = Rgb(0, 0, 0), yellow = Rgb(255, 255, 0), red = Rgb(255, 0, 0);
    const Case cases[] = {
        {"running", CountDown, 600000, 150000, false, "countdown", "running", "8 min", black, true},
        {"warning, lit second", CountDown, 600000, 598500, false, "countdown", "warning", nullptr, yellow, true},
        {"warning, dark second", CountDown, 600000, 597600, false, "countdown", "warning", nullptr, black, true},
        {"finished, lit second", CountDown, 600000, 600300, false, "countdown", "finished", nullptr, red, false},
        {"finished, dark second", CountDown, 600000, 601200, false, "countdown", "finished", nullptr, black, false},
        {"paused", CountDown, 600000, 150000, true, "countdown", "paused", "8 min", Rgb(20, 20, 20), true},
        {"count-up", CountUp, 600000, 150000, false, "countup", "running", nullptr, Rgb(150, 0, 150), false},
        {"count-up paused", CountUp, 600000, 150000, true, "countup", "paused", nullptr, Rgb(75, 75, 75), false},
        {"break", Break, 600000, 60000, false, "break", "running", nullptr, black, true},
        {"break warning", Break, 600000, 542000, false, "break", "warning", nullptr, yellow, true},
        {"break over", Break, 600000, 600500, false, "break", "finished", "FINISHED", red, false},
        {"until", Until, 600000, 60000, false, "until", "running", nullptr, black, true},
    };
    for (const Case& c : cases) {
        Timer(c.mode, c.durationMs, c.elapsedMs, c.paused);
        RefreshReadouts();
        const std::string json = CurrentStageState().json;
        SCOPED_TRACE(std::string(c.name) + ": " + json);
        EXPECT_EQ(Field(json, "mode"), "\"" + std::string(c.modeName) + "\"");
        EXPECT_EQ(Field(json, "phase"), "\"" + std::string(c.phase) + "\"");
        if (c.text) {
            EXPECT_EQ(Field(json, "text"), "\"" + std::string(c.text) + "\"");
        }
        // The colours are the strip's pixels: the top row, the bottom row, the text.
        EXPECT_EQ(Field(json, "background"), Hex(c.background));
        EXPECT_EQ(Hex(TimerPixel(0, 0)), Hex(c.background));
        EXPECT_EQ(Field(json, "hasFill"), c.hasFill ? "true" : "false");
        if (c.hasFill) {
            EXPECT_EQ(Field(json, "fill"), Hex(TimerPixel(0, timerRect.height - 1)));
        }
        const std::string colour = Field(json, "color");
        bool drawn = false;
        for (Colour candidate : {Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(200, 200, 200)})
            if (Hex(candidate) == colour) drawn = ImageHolds(candidate);
        EXPECT_TRUE(drawn) << colour;
        const bool inBreak = c.mode == Break || c.mode == Until;
        EXPECT_EQ(Field(json, "breakText") == Field(json, "text"), inBreak);
    }
}

// The page stops its own clock on "paused": a frozen readout is paused
// whatever its time, and the phase follows the time, not the colours.
TEST_F(StageStateTest, ThePhaseIsTheStatusLinesWhateverTheColours) {
    struct Case {
        const char* name;
        std::int32_t mode, elapsedMs;
        bool paused, coloured;
        const char* phase;
    };
    const Case cases[] = {
        {"finished, then paused", CountDown, 612000, true, true, "paused"},
        {"finished, no red", CountDown, 612000, false, false, "finished"},
        {"warning, no yellow", CountDown, 590000, false, false, "warning"},
        {"warning, paused", CountDown, 590000, true, true, "paused"},
        {"at the warning time", CountDown, 480000, false, true, "warning"},
        {"break at its warning time", Break, 480000, false, true, "running"},
        {"count-up past its length", CountUp, 612000, false, true, "running"},
    };
    for (const Case& c : cases) {
        settings.FinishRed = settings.WarningYellow = c.coloured ? 1 : 0;
        Timer(c.mode, 600000, c.elapsedMs, c.paused);
        RefreshReadouts();
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Field(CurrentStageState().json, "phase"), "\"" + std::string(c.phase) + "\"");
        EXPECT_EQ(Field(StatusJson(), "phase"), "\"" + std::string(c.phase) + "\"");
    }
}

TEST_F(StageStateTest, TheRemainingTimeStandsStillWhilePausedAndCountsUpInACountUp) {
    Timer(CountDown, 600000, 150000, true);
    fake::state.tick += 5000;
    RefreshReadouts();
    EXPECT_EQ(Field(CurrentStageState().json, "remainingMs"), "450000");
    Timer(CountUp, 600000, 150000, false);
    RefreshReadouts();
    EXPECT_EQ(Field(CurrentStageState().json, "remainingMs"), "150000");
}

TEST_F(StageStateTest, OnlyAChangeOfWhatIsShownIsANewVersion) {
    Timer(CountDown, 600000, 150000, true);
    RefreshReadouts();
    const PublishedStageState before = CurrentStageState();
    fake::state.tick += 3000;  // paused: nothing shown changes
    RefreshReadouts();
    EXPECT_EQ(CurrentStageState().version, before.version);
    EXPECT_NE(Field(CurrentStageState().json, "tick"), Field(before.json, "tick"));
    timerState.paused = 0;
    RefreshReadouts();
    EXPECT_EQ(CurrentStageState().version, before.version + 1);
}

TEST(StageStateJson, TextsAreEscaped) {
    StageSnapshot s;
    s.text = "a\"b\\c\nd";
    const std::string json = StageStateJson(s, 7);
    EXPECT_NE(json.find(R"("text":"a\"b\\c\u000ad")"), std::string::npos) << json;
    EXPECT_NE(json.find("\"tick\":7}"), std::string::npos) << json;
}

}  // namespace
