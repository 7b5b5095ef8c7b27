#pragma once
// What the program played, as the harness records it: tests/e2e/run records
// the null sink of its private sound server into the file named by
// %HORAVEL_SOUND_RECORDING% as raw 16-bit mono samples at RecordingRate. The
// sink plays silence when nothing sounds, so the recording grows in real time
// and a position in it is also a moment.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver_support.h"

namespace e2e {

constexpr int RecordingRate = 22050;

// Samples recorded so far; -1 when the run records nothing.
long long RecordedLength();
// Waits until at least `samples` samples are recorded; false after timeoutMs.
bool WaitForRecordedLength(long long samples, DWORD timeoutMs);
// Waits until `seconds` more seconds are recorded after position `from`.
bool WaitForRecordingAfter(long long from, double seconds);

// One stretch in which something sounds, in seconds from the start of the
// stretch of recording examined.
struct Sounding {
    double start = 0;
    double length = 0;
};
// The stretches that sound between `from` and `from` + `seconds`: 10 ms steps
// whose peak passes 0.5 % of full scale, with pauses under 0.35 s bridged.
std::vector<Sounding> SoundingsAfter(long long from, double seconds);
std::string Describe(const std::vector<Sounding>& soundings);

// The sum of the squares of a built-in sound's decoded samples per second of
// its sample rate (in 16-bit units squared times seconds); -1 when the Ogg file
// at path does not decode.
double DecodedSoundEnergy(const std::string& path);

// Where the recording first sounds at or after `from` (the sample position),
// -1 when it is silent up to `to`; and the energy between the two, in the
// units of DecodedSoundEnergy.
struct Onset {
    long long first = -1;
    double energy = 0;
};
Onset OnsetBetween(long long from, long long to);

// Writes a 16-bit mono WAV file of a sine tone, 22050 samples a second.
bool WriteToneWav(const std::string& path, double frequency, double seconds);

// Waits until `count` sounds have come after `from` and the last has been
// over for half a second, or `seconds` are recorded; the soundings.
std::vector<Sounding> WaitForSoundings(long long from, std::size_t count, double seconds);

// A folder of its own in %TEMP% for the user's sound files.
std::string SoundFolder(const std::string& name);

// The settings file: a timer with presets of `button1` and `button2` seconds,
// no flash or popup, and the given sound lines.
bool WriteSoundSettings(int button1, int button2, const std::string& soundLines);

// Sets the count-down of a preset and runs it; the recorded length at the
// start, or -1 when there is no recording or the timer does not run.
long long RunPreset(HWND window, int gadget);

// What sounded in the `seconds` after `start`, once the recording reaches that
// far; nothing when the count-down never started (start < 0) or the recording stops short.
std::optional<std::vector<Sounding>> HeardAfter(long long start, double seconds, const std::string& what);

}  // namespace e2e
