// The alerts' volume: the samples scaled, the media-control volume, the volume
// each alert plays at, and a click on the timer that stops a sound.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/Horavel_Main.h"
#include "app/main_window.h"
#include "app/timer_engine.h"
#include "lang/messages.h"
#include "platform/sound_volume.h"
#include "settings/settings.h"
#include "sound/alert_sound.h"
#include "sound/built_in_sounds.h"
#include "sound/ogg_decoder.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_shell.h"
#include "tests/unit/timer_fixture.h"

namespace {

std::vector<std::int16_t> DecodeAll(int sound) {
    const platform::SoundDecoder& d = OggVorbisDecoder();
    int channels = 0, rate = 0;
    std::vector<std::int16_t> all;
    void* stream = d.open(BuiltInSound(sound), &channels, &rate);
    if (!stream) return all;
    std::vector<std::int16_t> buffer(4096);
    for (int n; (n = d.read(stream, buffer.data(), static_cast<int>(buffer.size()))) > 0;)
        all.insert(all.end(), buffer.begin(), buffer.begin() + n);
    d.close(stream);
    return all;
}

double Energy(const std::vector<std::int16_t>& samples) {
    double sum = 0;
    for (std::int16_t s : samples) sum += static_cast<double>(s) * s;
    return sum;
}

}  // namespace

TEST(ScaleSamples, EachSampleToTheNearestWholeValueWithoutClippingOrWrap) {
    struct Case {
        std::int16_t sample;
        int percent;
        std::int16_t scaled;
    } cases[] = {
        {32767, 100, 32767},  {-32768, 100, -32768}, {1234, 100, 1234},   // full volume changes nothing
        {32767, 0, 0},        {-32768, 0, 0},                             // silent
        {32767, 50, 16384},   {-32768, 50, -16384},  {3, 50, 2},    {-3, 50, -2},  // halves away from zero
        {1, 50, 1},           {-1, 50, -1},          {0, 50, 0},
        {32767, 99, 32439},   {-32768, 99, -32440},                       // the loudest stay in range
        {149, 1, 1},          {150, 1, 2},           {-150, 1, -2}, {-149, 1, -1},
        {1000, 150, 1000},    {1000, -5, 0},                              // out of range: the nearest volume
    };
    for (const Case& c : cases) {
        std::vector<std::int16_t> samples{c.sample};
        platform::ScaleSamples(samples, c.percent);
        EXPECT_EQ(samples[0], c.scaled) << c.sample << " at " << c.percent << " %";
    }
}

TEST(ScaleSamples, ABuiltInSoundAtHalfVolumeIsSixDecibelsDownAndAtFullVolumeBitIdentical) {
    const std::vector<std::int16_t> gong = DecodeAll(10);
    ASSERT_EQ(gong.size(), 38588u);
    std::vector<std::int16_t> full = gong;
    platform::ScaleSamples(full, 100);
    EXPECT_EQ(full, gong);
    for (int percent : {75, 50, 25, 10}) {
        std::vector<std::int16_t> scaled = gong;
        platform::ScaleSamples(scaled, percent);
        const double db = 10 * std::log10(Energy(scaled) / Energy(gong));
        EXPECT_NEAR(db, 20 * std::log10(percent / 100.0), 0.01) << percent;
        for (std::size_t i = 0; i < gong.size(); ++i) {
            ASSERT_LE(std::abs(scaled[i] * 100 - gong[i] * percent), 50) << percent << " % sample " << i;
        }
    }
    std::vector<std::int16_t> silent = gong;
    platform::ScaleSamples(silent, 0);
    EXPECT_EQ(Energy(silent), 0);
}

TEST(MediaVolume, PercentToTheMediaControlsThousandths) {
    const int cases[][2] = {{0, 0}, {1, 10}, {50, 500}, {100, 1000}, {101, 1000}, {-1, 0}};
    for (const auto& c : cases) EXPECT_EQ(platform::MediaVolume(c[0]), c[1]) << c[0];
}

class AlertVolumeTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        LoadLanguage("English");
        soundAvailable = false;
        StartSoundSystem();
        fake::state.calls.clear();
    }
    void TearDown() override { FreeAlertSound(); }
    static const std::vector<std::string>& Commands() { return fake::state.sound.mediaCommands; }
};

TEST_F(AlertVolumeTest, BuiltInSoundsPlayAtTheVolumeAndUsersFilesGetTheMediaVolume) {
    const std::string open = "OPEN \"C:\\end.wav\" Type MPEGVIDEO ALIAS MP3_1";
    struct Case {
        int volume;
        int played;                         // what the sound output was given
        std::vector<std::string> commands;  // for the user's file
    } cases[] = {
        {100, 100, {open, "play MP3_1 from 0"}},  // a file opens at full volume
        {50, 50, {open, "setaudio MP3_1 volume to 500", "play MP3_1 from 0"}},
        {1, 1, {open, "setaudio MP3_1 volume to 10", "play MP3_1 from 0"}},
        {0, 0, {open, "setaudio MP3_1 volume to 0", "play MP3_1 from 0"}},
        {250, 100, {open, "play MP3_1 from 0"}},
        {-20, 0, {open, "setaudio MP3_1 volume to 0", "play MP3_1 from 0"}},
    };
    for (const Case& c : cases) {
        PlayAlertSound("", 4, c.volume);
        EXPECT_EQ(fake::state.sound.volume, c.played) << c.volume;
        PrepareAlertSound("", 5, c.volume);
        EXPECT_EQ(fake::state.sound.primedVolume, c.played) << c.volume;
        StopAlertSound();
        fake::state.sound.mediaCommands.clear();
        PlayAlertSound("C:\\end.wav", 0, c.volume);
        EXPECT_EQ(Commands(), c.commands) << c.volume;
        StopAlertSound();
    }
}

TEST_F(AlertVolumeTest, TheChooserPlaysEachSelectionAtTheVolume) {
    fake::state.sound.selections = {"C:\\a.wav"};
    fake::state.sound.chosenFile = "C:\\a.wav";
    EXPECT_EQ(ChooseSoundFile(30), "C:\\a.wav");
    EXPECT_EQ(Commands(), (std::vector<std::string>{"OPEN \"C:\\a.wav\" Type MPEGVIDEO ALIAS MP3_1",
                                                    "setaudio MP3_1 volume to 300", "play MP3_1 from 0",
                                                    "close MP3_1"}));
}

TEST_F(AlertVolumeTest, ASoundPlaysFromItsRequestUntilItEndsOrIsStopped) {
    EXPECT_FALSE(AlertSoundPlaying());
    PlayAlertSound("", 19, 50);
    EXPECT_TRUE(AlertSoundPlaying());
    fake::state.sound.playing = {};  // the sound came to its end
    EXPECT_FALSE(AlertSoundPlaying());
    PlayAlertSound("", 3, 50);
    StopAlertSound();
    EXPECT_FALSE(AlertSoundPlaying());
    PlayAlertSound("C:\\end.wav", 0, 100);
    EXPECT_TRUE(AlertSoundPlaying());
    fake::state.sound.mediaPlaying = false;  // the file came to its end
    EXPECT_FALSE(AlertSoundPlaying());
    PlayAlertSound("C:\\end.wav", 0, 100);
    StopAlertSound();
    EXPECT_FALSE(AlertSoundPlaying());
    PlayAlertSound("", 0, 100);  // nothing to play
    EXPECT_FALSE(AlertSoundPlaying());
}

class AlertVolumeChoiceTest : public TimerTest {
protected:
    void SetUp() override {
        TimerTest::SetUp();
        StartSoundSystem();
        settings.ShowTimer = 1;
        settings.WarningFlash = settings.WarningPopup = settings.FinishFlash = settings.FinishPopup = 0;
        settings.WarningSound = settings.FinishSound = 1;
        settings.WarningSoundCustom = "C:\\warn.wav";
        settings.FinishSoundCustom = "C:\\done.wav";
    }
    void TearDown() override { FreeAlertSound(); }
    // Runs the alert step with r milliseconds left of a running 600-second
    // count-down that warns at 60 s.
    static void AlertAt(std::int32_t r) {
        timerState = TimerState{};
        timerState.mode = CountDown;
        timerState.durationMs = 600000;
        timerState.warningMs = 60000;
        timerState.startTick = fake::state.tick;
        timerState.sampleTick = timerState.startTick + static_cast<std::uint32_t>(timerState.durationMs - r);
        fake::state.sound.mediaCommands.clear();
        fake::state.sound.volume = fake::state.sound.primedVolume = -1;
        CheckAlerts();
    }
    static std::string MediaVolumeCommand() {
        for (const std::string& c : fake::state.sound.mediaCommands)
            if (c.starts_with("setaudio")) return c;
        return "";
    }
};

TEST_F(AlertVolumeChoiceTest, TheWarningAndTheFinishEachPlayAtTheirOwnVolume) {
    struct Case {
        std::int32_t warningVolume, finishVolume;
        int warningPlayed, finishPlayed;
        std::string warningFile, finishFile;  // the media volume for the user's files
    } cases[] = {
        {100, 100, 100, 100, "", ""},
        {100, 50, 100, 50, "", "setaudio MP3_1 volume to 500"},
        {30, 100, 30, 100, "setaudio MP3_1 volume to 300", ""},
        {0, 70, 0, 70, "setaudio MP3_1 volume to 0", "setaudio MP3_1 volume to 700"},
    };
    for (const Case& c : cases) {
        settings.WarningVolume = c.warningVolume;
        settings.FinishVolume = c.finishVolume;
        settings.WarningSoundFile = 4;
        settings.FinishSoundFile = 10;
        AlertAt(62000);  // made ready ahead
        EXPECT_EQ(fake::state.sound.primedVolume, c.warningPlayed) << c.warningVolume;
        AlertAt(30000);
        EXPECT_EQ(fake::state.sound.volume, c.warningPlayed) << c.warningVolume;
        AlertAt(2000);
        EXPECT_EQ(fake::state.sound.primedVolume, c.finishPlayed) << c.finishVolume;
        AlertAt(0);
        EXPECT_EQ(fake::state.sound.volume, c.finishPlayed) << c.finishVolume;
        settings.WarningSoundFile = 11;
        settings.FinishSoundFile = 20;
        AlertAt(30000);
        EXPECT_EQ(MediaVolumeCommand(), c.warningFile) << c.warningVolume;
        AlertAt(0);
        EXPECT_EQ(MediaVolumeCommand(), c.finishFile) << c.finishVolume;
    }
}

namespace {

class ClickStopsSound : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::ResetShell();
        settings = Settings{};
        mainLoop = MainLoopState{};
        timerState = TimerState{};
        ASSERT_TRUE(InitApplication());
        platform::MoveMainWindow(500, 100, 100, 400);
        platform::ResizeGadget(gadget::ClockReadout, 10, 20, 80, 60);
        platform::ResizeGadget(gadget::TimerReadout, 10, 100, 80, 200);
    }
    void TearDown() override { FreeAlertSound(); }
    static void Run() {
        fake::PushClose();
        fake::state.idleLimit = 5;
        RunMainLoop();
    }
    static void ClickOn(int g, int type) { fake::PushGadget(g, type, [g] { fake::PointAt(g); }); }
};

}  // namespace

TEST_F(ClickStopsSound, AClickOnTheTimerWhileASoundPlaysOnlyStopsIt) {
    struct Case {
        const char* what;
        std::string path;  // the user's file, or a built-in sound when empty
        int gadget, type;
        bool inBreak;
        bool stops;     // the sound stops
        bool showsMenu; // the menu opens
    } cases[] = {
        {"left click, built-in", "", gadget::TimerReadout, platform::GadgetLeftClick, false, true, false},
        {"right click, built-in", "", gadget::TimerReadout, platform::GadgetRightClick, false, true, false},
        {"left click, user's file", "C:\\end.wav", gadget::TimerReadout, platform::GadgetLeftClick, false, true, false},
        {"in a break", "", gadget::TimerReadout, platform::GadgetLeftClick, true, true, false},
        {"on the clock", "", gadget::ClockReadout, platform::GadgetRightClick, false, false, true},
    };
    for (const Case& c : cases) {
        fake::ResetShell();
        timerState = TimerState{};
        if (c.inBreak) StartBreak(60000);
        const TimerState before = timerState;
        PlayAlertSound(c.path, c.path.empty() ? 19 : 0, 100);
        ASSERT_TRUE(AlertSoundPlaying()) << c.what;
        mainLoop.popupShown = 0;
        ClickOn(c.gadget, c.type);
        Run();
        EXPECT_EQ(!AlertSoundPlaying(), c.stops) << c.what;
        EXPECT_EQ(fake::shell.menus.size(), c.showsMenu ? 1u : 0u) << c.what;
        EXPECT_EQ(timerState.mode, before.mode) << c.what;
        EXPECT_EQ(timerState.paused, before.paused) << c.what;
        EXPECT_EQ(mainLoop.popupShown, c.showsMenu ? 1 : 0) << c.what;
        StopAlertSound();
    }
}

TEST_F(ClickStopsSound, OnceTheSoundHasEndedAClickOpensTheMenuAgain) {
    PlayAlertSound("", 4, 100);
    fake::state.sound.playing = {};  // played to its end
    ClickOn(gadget::TimerReadout, platform::GadgetLeftClick);
    Run();
    EXPECT_EQ(fake::shell.menus.size(), 1u);
}
