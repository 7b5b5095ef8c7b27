// The alerts' volume as it leaves the sound device, in the alerts and in the
// settings window's previews, and a click on the timer that stops a sound.
#include "tests/e2e/case_support.h"
#include "tests/e2e/settings_window_support.h"
#include "tests/e2e/sound_recording.h"

#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// The energy of one stretch that sounds, with a little of the silence around it.
double EnergyOf(long long start, const e2e::Sounding& s) {
    const auto at = [start](double seconds) { return start + static_cast<long long>(seconds * e2e::RecordingRate); };
    return e2e::OnsetBetween(at(s.start - 0.05), at(s.start + s.length + 0.05)).energy;
}

// A count-down of `seconds` whose warning, `warnAt` seconds before the end,
// and finish play the same sound at their own volumes (the sound lines say
// which): the finish's level against the warning's, in dB.
void ExpectTheFinishSixDecibelsDown(const std::string& exePath, int seconds, int warnAt, const std::string& soundLines,
                                    const std::string& what) {
    if (!e2e::WriteSoundSettings(seconds, 300, "WarningTime = -" + std::to_string(warnAt) +
                                                   "\r\nWarningSound = 1\r\nFinishSound = 1\r\nWarningVolume = 100\r\n"
                                                   "FinishVolume = 50\r\n" + soundLines))
        return;
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    const long long start = window ? e2e::RunPreset(window, 38) : -1;
    if (const auto sounded = e2e::HeardAfter(start, seconds + 6, what)) {
        const std::vector<e2e::Sounding>& heard = *sounded;
        if (CHECK(heard.size() == 2, "the warning and the finish, apart: " + e2e::Describe(heard))) {
            const double warning = EnergyOf(start, heard[0]), finish = EnergyOf(start, heard[1]);
            const double db = 10 * std::log10(finish / warning);
            char line[96];
            std::snprintf(line, sizeof line, "%s: the finish at 50 %% is %.2f dB against the warning at 100 %%",
                          what.c_str(), db);
            e2e::Log(line);
            CHECK(warning > 0 && std::abs(db - 20 * std::log10(0.5)) <= 1.0, "half the amplitude, within 1 dB of -6 dB");
        }
    }
    e2e::StopProgram(program);
}

}  // namespace

E2E_CASE(a_finish_at_half_volume_sounds_six_decibels_below_the_warning) {
    // The gong (3.5 s) 5 s before the end of a 10-second count-down and at the end.
    ExpectTheFinishSixDecibelsDown(exePath, 10, 5, "WarningSoundFile = 10\r\nFinishSoundFile = 10\r\n", "the gong");
    return e2e::Result();
}

E2E_CASE(a_users_file_at_half_volume_sounds_six_decibels_below_the_warning) {
    const std::string wav = e2e::SoundFolder("volume") + "\\tone.wav";
    CHECK(e2e::WriteToneWav(wav, 660, 2.0), "a 2-second WAV file is written");
    ExpectTheFinishSixDecibelsDown(exePath, 8, 4,
                                   "WarningSoundFile = 11\r\nWarningSoundCustom = " + wav +
                                       "\r\nFinishSoundFile = 20\r\nFinishSoundCustom = " + wav + "\r\n",
                                   "the user's file");
    return e2e::Result();
}

namespace {

// Waits until something sounds after `from`; the recorded length then, -1 after timeoutMs.
long long WaitForSound(long long from, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        const long long now = e2e::RecordedLength();
        if (!e2e::SoundingsAfter(from, static_cast<double>(now - from) / e2e::RecordingRate).empty()) return now;
        e2e::Pause(50);
    }
    return -1;
}

}  // namespace

E2E_CASE(a_click_on_the_timer_while_a_sound_plays_only_stops_it) {
    // "Progressively Louder" (56 s) at the end of a 2-second count-down.
    if (!e2e::WriteSoundSettings(2, 300, "WarningSound = 0\r\nFinishSound = 1\r\nFinishSoundFile = 19\r\n"))
        return e2e::Result();
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    const long long start = window ? e2e::RunPreset(window, 38) : -1;
    const long long sounding = start >= 0 ? WaitForSound(start, 8000) : -1;
    if (CHECK(sounding >= 0, "the long sound starts at the end")) {
        const std::string button = e2e::WindowText(e2e::FindChild(window, 37).hwnd);
        const HWND timer = e2e::FindChild(window, 2).hwnd;
        e2e::ClickWindow(timer);
        const long long clicked = e2e::RecordedLength();
        if (const auto after = e2e::HeardAfter(clicked, 3, "after the click")) {
            // What was on its way to the device when the click came may still sound.
            CHECK(after->empty() || (after->size() == 1 && (*after)[0].start + (*after)[0].length < 0.6),
                  "the sound stops at the click: " + e2e::Describe(*after));
        }
        CHECK(e2e::WaitForMenuWindows(program.id, 0, 0), "no menu opens");
        CHECK(e2e::WindowText(e2e::FindChild(window, 37).hwnd) == button, "the timer goes on as it was");
        e2e::ClickWindow(timer);
        CHECK(e2e::WaitForMenuWindows(program.id, 1, 5000), "with no sound playing, a click opens the menu");
        e2e::PressKey(VK_ESCAPE);
        CHECK(e2e::WaitForMenuWindows(program.id, 0, 5000), "Esc closes the menu");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

namespace {

constexpr int kFinishSoundList = 507;
constexpr int kFinishVolume = 512;
constexpr int kFinishVolumeValue = 513;

// The energy of what sounds after `from`, once it has sounded and ended.
double PreviewEnergy(long long from, const std::string& what) {
    const std::vector<e2e::Sounding> heard = e2e::WaitForSoundings(from, 1, 8);
    e2e::Log(what + ": " + e2e::Describe(heard));
    if (!CHECK(heard.size() == 1 && heard[0].length > 2.5, what + " plays the gong once, whole")) return 0;
    return EnergyOf(from, heard[0]);
}

}  // namespace

E2E_CASE(the_settings_preview_plays_at_the_volume_the_slider_is_let_go_at) {
    namespace sw = e2e::settings_window;
    if (!e2e::WriteSoundSettings(60, 300, "FinishSound = 1\r\nFinishSoundFile = 1\r\nFinishVolume = 100\r\n"))
        return e2e::Result();
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    HWND dialog = window ? sw::OpenWithButton(window, program.id) : nullptr;
    if (CHECK(dialog != nullptr, "the settings window opens") && CHECK(sw::TurnToTab(dialog, 4), "the finish tab")) {
        HWND slider = e2e::FindChild(dialog, kFinishVolume).hwnd;
        CHECK(e2e::WindowText(e2e::FindChild(dialog, kFinishVolumeValue).hwnd) == "100%", "the volume reads 100%");
        // The gong chosen in the list plays at full volume.
        const long long full = e2e::RecordedLength();
        sw::PickEntry(dialog, kFinishSoundList, 10);
        const double fullEnergy = PreviewEnergy(full, "at 100 %");
        // The button held down on the slider's middle: the thumb pages toward
        // the pointer (each step only moves it) until it gets there, and is let go of.
        const RECT r = e2e::ClientRect(slider);
        const POINT middle = e2e::ClientToScreenPoint(slider, r.right / 2, r.bottom / 2);
        e2e::MoveMouse(middle.x, middle.y);
        e2e::MouseDown();
        for (int polls = 0, last = -1, same = 0; polls < 100 && same < 4; ++polls) {
            const int now = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
            same = now < 100 && now == last ? same + 1 : 0;
            last = now;
            e2e::Pause(250);
        }
        const long long let = e2e::RecordedLength();
        e2e::MouseUp();
        const int volume = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
        const double energy = PreviewEnergy(let, "let go at " + std::to_string(volume) + " %");
        CHECK(volume >= 30 && volume <= 70, "the thumb stands about the middle: " + std::to_string(volume));
        CHECK(e2e::WindowText(e2e::FindChild(dialog, kFinishVolumeValue).hwnd) == std::to_string(volume) + "%",
              "the percentage follows the thumb");
        if (fullEnergy > 0 && energy > 0) {
            const double db = 10 * std::log10(energy / fullEnergy);
            char line[96];
            std::snprintf(line, sizeof line, "the preview at %d %% is %.2f dB against 100 %%", volume, db);
            e2e::Log(line);
            CHECK(std::abs(db - 20 * std::log10(volume / 100.0)) <= 1.0, "the preview is as much quieter, within 1 dB");
        }
        e2e::PressKey(VK_ESCAPE);
        CHECK(sw::WaitClosed(dialog), "Esc closes the window");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}
