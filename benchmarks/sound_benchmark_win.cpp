// How long PlayAlertSound takes to return on the real Win32 backend, for each
// built-in sound. Each call comes while the sound before it still plays, so
// it includes cutting that one off, as a new alert does. Run under Wine with a
// sound device (scripts/measure-sound does both):
//   wine horavel_sound_bench.exe [calls per sound]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "lang/messages.h"
#include "sound/alert_sound.h"
#include "sound/built_in_sounds.h"

namespace {

double NowMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Figures {
    double median, worst;
};

Figures Summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

}  // namespace

int main(int argc, char** argv) {
    const int calls = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    LoadLanguage("English");
    RegisterOggDecoder();
    if (!StartSoundSystem()) {
        std::printf("no wave output device: the sound system is unavailable\n");
        return 1;
    }
    std::printf("PlayAlertSound, %d calls per sound, each 50 ms after the one before (ms)\n", calls);
    std::printf("%-3s %-22s %8s %8s\n", "no.", "sound", "median", "worst");
    std::vector<double> stops;
    double worst = 0;
    for (int k = 1; k <= BuiltInSoundCount; ++k) {
        std::vector<double> ms;
        for (int i = 0; i < calls; ++i) {
            const double start = NowMs();
            PlayAlertSound("", k);
            ms.push_back(NowMs() - start);
            Sleep(50);  // long enough for the device to be playing it
        }
        const Figures f = Summarise(ms);
        worst = std::max(worst, f.worst);
        std::printf("%-3d %-22s %8.3f %8.3f\n", k, Message(49 + k).c_str(), f.median, f.worst);
        const double start = NowMs();
        StopAlertSound();
        stops.push_back(NowMs() - start);
    }
    const Figures s = Summarise(stops);
    std::printf("StopAlertSound while a sound plays: median %.3f, worst %.3f\n", s.median, s.worst);
    std::printf("worst PlayAlertSound of all: %.3f ms\n", worst);
    FreeAlertSound();
    return 0;
}
