#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "lang/messages.h"
#include "sound/alert_sound.h"
#include "sound/built_in_sounds.h"
#include "sound/ogg_decoder.h"
#include "tests/support/fake_alert_windows.h"
#include "tests/unit/timer_fixture.h"

namespace {

struct Decoded {
    int channels = 0;
    int rate = 0;
    long samples = -1;  // -1: the decoder did not open the data
};

Decoded Decode(std::span<const unsigned char> data) {
    const platform::SoundDecoder& d = OggVorbisDecoder();
    Decoded out;
    void* stream = d.open(data, &out.channels, &out.rate);
    if (!stream) return out;
    out.samples = 0;
    std::vector<std::int16_t> buffer(4096);
    for (int n; (n = d.read(stream, buffer.data(), static_cast<int>(buffer.size()))) > 0;) out.samples += n;
    d.close(stream);
    return out;
}

class AlertSoundTest : public ::testing::Test {
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
    static std::string Open(const std::string& path) { return "OPEN \"" + path + "\" Type MPEGVIDEO ALIAS MP3_1"; }
};

}  // namespace

TEST(BuiltInSounds, NineteenMonoOggFilesOfTheTabledRatesAndLengthsBackToBack) {
    struct Expected {
        int rate;
        long samples;
    };
    const Expected table[BuiltInSoundCount] = {
        {22050, 3610},  {22050, 1697},  {22050, 5494},  {11025, 9848},  {11025, 4409},  {11025, 9981},  {12128, 8548},
        {11025, 5483},  {11025, 7446},  {11025, 38588}, {11025, 21339}, {11025, 20232}, {22254, 13080}, {11025, 30832},
        {11025, 54876}, {11025, 22239}, {11025, 10521}, {11025, 41818}, {44100, 2488529}};
    std::size_t total = 0;
    for (int k = 1; k <= BuiltInSoundCount; ++k) {
        const auto bytes = BuiltInSound(k);
        ASSERT_GT(bytes.size(), 4u) << k;
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "OggS") << k;
        if (k < BuiltInSoundCount) {
            EXPECT_EQ(bytes.data() + bytes.size(), BuiltInSound(k + 1).data()) << k;
        }
        // A range holding more than one file would decode to more samples.
        const Decoded d = Decode(bytes);
        EXPECT_EQ(d.channels, 1) << k;
        EXPECT_EQ(d.rate, table[k - 1].rate) << k;
        EXPECT_EQ(d.samples, table[k - 1].samples) << k;
        total += bytes.size();
    }
    // The program file carries them all: they must stay small.
    EXPECT_LT(total, 400u * 1024);
    for (int k : {-1, 0, 20}) EXPECT_TRUE(BuiltInSound(k).empty()) << k;
}

// Mean square level of each `seconds`-long stretch of a built-in sound.
std::vector<double> Levels(int sound, double seconds) {
    const platform::SoundDecoder& d = OggVorbisDecoder();
    int channels = 0, rate = 0;
    void* stream = d.open(BuiltInSound(sound), &channels, &rate);
    std::vector<double> levels;
    if (!stream) return levels;
    const std::size_t stretch = static_cast<std::size_t>(seconds * rate);
    std::vector<std::int16_t> samples(stretch);
    for (;;) {
        std::size_t filled = 0;
        for (int n; filled < stretch && (n = d.read(stream, samples.data() + filled, static_cast<int>(stretch - filled))) > 0;)
            filled += static_cast<std::size_t>(n);
        if (filled < stretch) break;
        double sum = 0;
        for (std::int16_t v : samples) sum += static_cast<double>(v) * v;
        levels.push_back(sum / static_cast<double>(stretch));
    }
    d.close(stream);
    return levels;
}

TEST(BuiltInSounds, TheLongAlarmGrowsLouderAllTheWay) {
    const std::vector<double> levels = Levels(19, 7.0);
    ASSERT_EQ(levels.size(), 8u);
    for (std::size_t i = 1; i < levels.size(); ++i) EXPECT_GT(levels[i], levels[i - 1] * 1.5) << i;
    EXPECT_GT(levels.back(), levels.front() * 1000);  // 30 dB and more from the first 7 s to the last
}

// The peak magnitude and the RMS level of a built-in sound's decoded samples,
// in dB below full scale (32768).
struct Level {
    double peakDb = 0, rmsDb = 0;
};

Level Measure(int sound) {
    const platform::SoundDecoder& d = OggVorbisDecoder();
    int channels = 0, rate = 0;
    void* stream = d.open(BuiltInSound(sound), &channels, &rate);
    if (!stream) return {};
    int peak = 0;
    double sum = 0;
    long count = 0;
    std::vector<std::int16_t> buffer(4096);
    for (int n; (n = d.read(stream, buffer.data(), static_cast<int>(buffer.size()))) > 0;) {
        for (int i = 0; i < n; ++i) {
            peak = std::max(peak, std::abs(static_cast<int>(buffer[i])));
            sum += static_cast<double>(buffer[i]) * buffer[i];
        }
        count += n;
    }
    d.close(stream);
    const auto db = [](double v) { return 20 * std::log10(v / 32768); };
    return {db(peak), db(std::sqrt(sum / static_cast<double>(std::max(count, 1L))))};
}

TEST(BuiltInSounds, NoneClipsAndNoneIsMuchLouderOrQuieterThanTheOthers) {
    std::vector<double> rms;
    for (int k = 1; k <= BuiltInSoundCount; ++k) {
        const Level level = Measure(k);
        EXPECT_LE(level.peakDb, -1.0) << "sound " << k << " peaks too high";
        rms.push_back(level.rmsDb);
    }
    std::vector<double> sorted = rms;
    std::sort(sorted.begin(), sorted.end());
    const double median = sorted[sorted.size() / 2];
    for (int k = 1; k <= BuiltInSoundCount; ++k) {
        EXPECT_NEAR(rms[k - 1], median, 4.0) << "sound " << k << " against the median of " << median << " dBFS";
    }
}

TEST(OggVorbisDecoder, RefusesWhatIsNotOggVorbis) {
    const unsigned char junk[] = "OggS but nothing that follows makes a Vorbis stream";
    EXPECT_EQ(Decode(junk).samples, -1);
    EXPECT_EQ(Decode({}).samples, -1);
    // A file cut short decodes what it has and ends.
    const auto gong = BuiltInSound(10);
    const Decoded cut = Decode(gong.first(gong.size() / 2));
    EXPECT_LT(cut.samples, 38588);
}

TEST_F(AlertSoundTest, ABuiltInSoundPlaysItsOwnBytesAndANewRequestReplacesIt) {
    PlayAlertSound("", 4);
    EXPECT_EQ(fake::state.sound.playing.data(), BuiltInSound(4).data());
    EXPECT_EQ(fake::state.sound.playing.size(), BuiltInSound(4).size());
    PlayAlertSound("", 19);
    PlayAlertSound("C:\\My Sounds\\end of talk.wav", 0);
    EXPECT_EQ(fake::state.calls,
              (std::vector<std::string>{"PlaySoundData", "StopSoundData", "PlaySoundData", "StopSoundData",
                                        "MediaCommand " + Open("C:\\My Sounds\\end of talk.wav"),
                                        "MediaCommand play MP3_1 from 0"}));
    EXPECT_TRUE(fake::state.sound.playing.empty());

    fake::state.calls.clear();
    PlayAlertSound("", 1);  // the file is closed, the new sound plays
    StopAlertSound();
    StopAlertSound();  // nothing left to stop
    EXPECT_EQ(fake::state.calls,
              (std::vector<std::string>{"MediaCommand close MP3_1", "PlaySoundData", "StopSoundData"}));
}

TEST_F(AlertSoundTest, NumbersOutsideTheSetPlayNothingAndStopWhatPlays) {
    PlayAlertSound("", 2);
    for (int k : {0, 20, -3}) PlayAlertSound("", k);
    EXPECT_EQ(fake::state.calls, (std::vector<std::string>{"PlaySoundData", "StopSoundData"}));
    EXPECT_TRUE(fake::state.sound.playing.empty());
}

TEST_F(AlertSoundTest, FreeingAtShutdownWaitsForTheSoundOutput) {
    PlayAlertSound("", 19);
    FreeAlertSound();
    EXPECT_EQ(fake::state.calls, (std::vector<std::string>{"PlaySoundData", "StopSoundData", "WaitForSoundToStop"}));
}

TEST_F(AlertSoundTest, WithoutSoundEveryRequestIsIgnored) {
    fake::Reset();
    fake::state.sound.outputAvailable = false;
    EXPECT_FALSE(StartSoundSystem());
    PlayAlertSound("", 1);
    PlayAlertSound("C:\\a.wav", 0);
    StopAlertSound();
    EXPECT_TRUE(fake::state.calls.empty());
}

TEST_F(AlertSoundTest, APathThatCouldBreakOutOfItsQuotesNeverReachesTheCommand) {
    const std::string longest = "C:\\" + std::string(252, 'a') + ".wav";  // 259 characters
    const std::string widest = "C:\\" + std::string(250, 'a') + "\xF0\x9F\x94\x94.wav";  // one bell, two units
    struct Case {
        std::string path;
        bool plays;
    } cases[] = {
        {"C:\\x.wav\" ALIAS MP3_1 wait", false},
        {"C:\\x.wav\nplay", false},
        {std::string("C:\\x\0.wav", 9), false},
        {"C:\\x\x7F.wav", false},
        {"C:\\x\xC2\x85.wav", false},  // U+0085, a control character
        {"C:\\Bücher\\Töne é.wav", true},
        {longest, true},
        {longest + "x", false},
        {widest, true},
        {widest + "x", false},
    };
    for (const Case& c : cases) {
        StopAlertSound();
        fake::state.sound.mediaCommands.clear();
        PlayAlertSound(c.path, 0);
        EXPECT_EQ(PathFitsMediaCommand(c.path), c.plays) << c.path;
        const std::vector<std::string> expected =
            c.plays ? std::vector<std::string>{Open(c.path), "play MP3_1 from 0"} : std::vector<std::string>{};
        EXPECT_EQ(Commands(), expected) << c.path;
    }
}

TEST_F(AlertSoundTest, APathNamingADeviceIsNeverOpened) {
    struct Case {
        std::string path;
        bool device;
    } cases[] = {
        {"COM1", true},
        {"NUL", true},
        {"con", true},
        {"LPT1", true},
        {"aux.wav", true},
        {"C:\\Sounds\\com1.wav", true},
        {"D:\\a\\b\\Lpt9.tar.mp3", true},
        {"C:/music/prn.ogg", true},
        {"C:NUL", true},
        {"COM1:", true},
        {"NUL .wav", true},
        {"CONOUT$", true},
        {"CLOCK$.wav", true},
        {"COM\xC2\xB9.wav", true},  // COM with a superscript one
        {"\\\\.\\pipe\\alerts", true},
        {"\\\\?\\C:\\a.wav", true},
        {"//./COM2", true},
        {"\\\\nonexistent\\share\\a.wav", false},
        {"C:\\CON\\bell.wav", false},  // a folder's name is no device
        {"COM10.wav", false},
        {"COM0.wav", false},
        {"LPT.wav", false},
        {"console.wav", false},
        {"nul-end.wav", false},
        {"C:\\Sounds\\com1 end.wav", false},
        {"C:\\My Sounds\\end of talk.wav", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PathNamesDevice(c.path), c.device) << c.path;
        StopAlertSound();
        fake::state.sound.mediaCommands.clear();
        PlayAlertSound(c.path, 0);
        EXPECT_EQ(Commands().size(), c.device ? 0u : 2u) << c.path;
    }
}

TEST_F(AlertSoundTest, TheChooserPlaysEachSelectionAndStopsWhenItCloses) {
    fake::state.sound.selections = {"C:\\a.wav", "D:\\b c.mp3"};
    fake::state.sound.chosenFile = "D:\\b c.mp3";
    EXPECT_EQ(ChooseSoundFile(), "D:\\b c.mp3");
    EXPECT_EQ(fake::state.sound.filterDescription, "All Supported Sound Files (wav, mp3, wma, ogg)");
    EXPECT_EQ(fake::state.sound.filterPattern, "*.wav;*.mp3;*.wma;*.ogg");
    EXPECT_EQ(Commands(), (std::vector<std::string>{Open("C:\\a.wav"), "play MP3_1 from 0",
                                                    "close MP3_1", Open("D:\\b c.mp3"), "play MP3_1 from 0",
                                                    "close MP3_1"}));
    fake::state.sound.selections.clear();
    fake::state.sound.chosenFile.clear();  // cancelled
    EXPECT_EQ(ChooseSoundFile(), "");
}

TEST(RegisterOggDecoder, TheSoundOutputGetsTheOggVorbisDecoder) {
    fake::Reset();
    RegisterOggDecoder();
    EXPECT_EQ(fake::state.sound.decoder.open, OggVorbisDecoder().open);
    EXPECT_EQ(fake::state.sound.decoder.read, OggVorbisDecoder().read);
    EXPECT_EQ(fake::state.sound.decoder.close, OggVorbisDecoder().close);
}

class AlertSoundChoiceTest : public TimerTest {
protected:
    void SetUp() override {
        TimerTest::SetUp();
        StartSoundSystem();
        settings.ShowTimer = 1;
        settings.WarningFlash = settings.WarningPopup = settings.FinishFlash = settings.FinishPopup = 0;
        settings.WarningSound = settings.FinishSound = 1;
    }
    void TearDown() override { FreeAlertSound(); }
    // Runs the alert step with r milliseconds left of a running count-down; returns what it played.
    static std::vector<std::string> AlertAt(std::int32_t r) {
        timerState = TimerState{};
        timerState.mode = CountDown;
        timerState.durationMs = 600000;
        timerState.warningMs = 60000;
        timerState.startTick = fake::state.tick;
        timerState.sampleTick = timerState.startTick + static_cast<std::uint32_t>(timerState.durationMs - r);
        fake::state.sound.mediaCommands.clear();
        fake::state.sound.playing = {};
        CheckAlerts();
        std::vector<std::string> played;
        for (const std::string& c : fake::state.sound.mediaCommands)
            if (c.starts_with("OPEN")) played.push_back(c.substr(6, c.find('"', 6) - 6));
        if (!fake::state.sound.playing.empty()) {
            for (int k = 1; k <= BuiltInSoundCount; ++k)
                if (BuiltInSound(k).data() == fake::state.sound.playing.data()) played.push_back(std::to_string(k));
        }
        return played;
    }
};

TEST_F(AlertSoundChoiceTest, TheListsChooseBuiltInSoundsOrTheUsersFile) {
    using Played = std::vector<std::string>;
    settings.WarningSoundCustom = "C:\\warn me.wav";
    settings.FinishSoundCustom = "C:\\done.mp3";
    struct Case {
        std::int32_t warningFile, finishFile;
        Played warning, finish;
    } cases[] = {
        {1, 1, {"1"}, {"1"}},
        {10, 19, {"10"}, {"19"}},
        {11, 20, {"C:\\warn me.wav"}, {"C:\\done.mp3"}},
        {19, 0, {"C:\\warn me.wav"}, {"C:\\done.mp3"}},  // the warning list stops at sound 10
        {0, -1, {"C:\\warn me.wav"}, {"C:\\done.mp3"}},
    };
    for (const Case& c : cases) {
        settings.WarningSoundFile = c.warningFile;
        settings.FinishSoundFile = c.finishFile;
        EXPECT_EQ(AlertAt(30000), c.warning) << c.warningFile;
        EXPECT_EQ(AlertAt(0), c.finish) << c.finishFile;
    }
    settings.WarningSoundFile = 12;
    settings.FinishSoundFile = 20;
    settings.WarningSoundCustom.clear();
    settings.FinishSoundCustom.clear();
    EXPECT_EQ(AlertAt(30000), Played{});
    EXPECT_EQ(AlertAt(0), Played{});
    settings.FinishSound = 0;
    settings.FinishSoundFile = 19;
    EXPECT_EQ(AlertAt(0), Played{});
}

TEST_F(AlertSoundChoiceTest, TheSoundStartsFirstThenTheFlashThenThePopup) {
    fake::ResetAlertWindows();
    settings.WarningFlash = settings.WarningPopup = settings.FinishFlash = settings.FinishPopup = 1;
    settings.WarningSoundFile = 4;
    settings.FinishSoundFile = 10;
    for (std::int32_t r : {30000, 0}) {  // the warning, then the finish
        fake::alertWindows.calls.clear();
        const std::uint32_t before = fake::state.tick;
        EXPECT_EQ(AlertAt(r).size(), 1u) << r;
        // The flash and the popup take their time on screen; the sound had started before either.
        EXPECT_EQ(fake::state.sound.startTick, before) << r;
        EXPECT_GT(fake::state.tick, before + 1500) << r;
        const auto& calls = fake::alertWindows.calls;
        const auto flash = std::find(calls.begin(), calls.end(), "OpenFlash");
        const auto popup = std::find(calls.begin(), calls.end(), "OpenPopup");
        EXPECT_TRUE(flash < popup && popup != calls.end()) << r;
    }
}

TEST_F(AlertSoundChoiceTest, ASoundDueWithinThreeSecondsIsMadeReadyAhead) {
    settings.WarningSoundFile = 4;
    settings.FinishSoundFile = 10;
    settings.FinishSoundCustom = "C:\\done.mp3";
    struct Case {
        std::int32_t remainingMs;  // of a 600-second count-down warning at 60 s
        bool warningGiven, paused;
        std::int32_t warningSound, finishFile;
        int primed;  // the built-in sound made ready, 0 for none
    } cases[] = {
        {64000, false, false, 1, 10, 0},  // the warning 4 s ahead
        {62500, false, false, 1, 10, 4},
        {60500, false, false, 1, 10, 4},
        {62500, false, true, 1, 10, 0},   // paused
        {62500, false, false, 0, 10, 0},  // the warning is silent
        {2500, true, false, 1, 10, 10},   // the finish, after the warning
        {2500, false, false, 0, 10, 10},  // a silent warning long passed over
        {3500, true, false, 1, 10, 0},
        {2500, true, false, 1, 20, 0},    // the user's file opens when it plays
        {-500, true, false, 1, 10, 0},    // finished
    };
    for (const Case& c : cases) {
        timerState = TimerState{};
        timerState.mode = CountDown;
        timerState.durationMs = 600000;
        timerState.warningMs = 60000;
        timerState.warningFired = c.warningGiven;
        timerState.finishFired = c.remainingMs <= 0;
        timerState.finishMark = FinishMark(c.remainingMs);
        timerState.paused = c.paused;
        timerState.startTick = fake::state.tick;
        timerState.sampleTick = timerState.startTick + static_cast<std::uint32_t>(timerState.durationMs - c.remainingMs);
        settings.WarningSound = c.warningSound;
        settings.FinishSoundFile = c.finishFile;
        fake::state.sound.primed = {};
        CheckAlerts();
        const auto expected = c.primed ? BuiltInSound(c.primed) : std::span<const unsigned char>{};
        EXPECT_EQ(fake::state.sound.primed.data(), expected.data()) << c.remainingMs << " " << c.primed;
        EXPECT_EQ(fake::state.sound.primed.size(), expected.size()) << c.remainingMs;
    }
}

TEST_F(AlertSoundTest, BuiltInSoundsPlayAtTheVolumeAndUsersFilesGetTheMediaVolume) {
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

TEST_F(AlertSoundTest, TheChooserPlaysEachSelectionAtTheVolume) {
    fake::state.sound.selections = {"C:\\a.wav"};
    fake::state.sound.chosenFile = "C:\\a.wav";
    EXPECT_EQ(ChooseSoundFile(30), "C:\\a.wav");
    EXPECT_EQ(Commands(), (std::vector<std::string>{"OPEN \"C:\\a.wav\" Type MPEGVIDEO ALIAS MP3_1",
                                                    "setaudio MP3_1 volume to 300", "play MP3_1 from 0",
                                                    "close MP3_1"}));
}

TEST_F(AlertSoundTest, ASoundPlaysFromItsRequestUntilItEndsOrIsStopped) {
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

TEST_F(AlertSoundChoiceTest, TheWarningAndTheFinishEachPlayAtTheirOwnVolume) {
    settings.WarningSoundCustom = "C:\\warn.wav";
    settings.FinishSoundCustom = "C:\\done.wav";
    // What the sound output was given at r left (-1: nothing), and the media volume command sent.
    const auto played = [](std::int32_t r, int& volume, int& primed) {
        fake::state.sound.volume = fake::state.sound.primedVolume = -1;
        AlertAt(r);
        volume = fake::state.sound.volume;
        primed = fake::state.sound.primedVolume;
        for (const std::string& c : fake::state.sound.mediaCommands)
            if (c.starts_with("setaudio")) return c;
        return std::string();
    };
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
        SCOPED_TRACE(std::to_string(c.warningVolume) + " " + std::to_string(c.finishVolume));
        settings.WarningVolume = c.warningVolume;
        settings.FinishVolume = c.finishVolume;
        settings.WarningSoundFile = 4;
        settings.FinishSoundFile = 10;
        int volume = 0, primed = 0;
        played(62000, volume, primed);  // made ready ahead
        EXPECT_EQ(primed, c.warningPlayed);
        played(30000, volume, primed);
        EXPECT_EQ(volume, c.warningPlayed);
        played(2000, volume, primed);
        EXPECT_EQ(primed, c.finishPlayed);
        played(0, volume, primed);
        EXPECT_EQ(volume, c.finishPlayed);
        settings.WarningSoundFile = 11;
        settings.FinishSoundFile = 20;
        EXPECT_EQ(played(30000, volume, primed), c.warningFile);
        EXPECT_EQ(played(0, volume, primed), c.finishFile);
    }
}
