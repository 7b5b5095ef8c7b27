#pragma once
// The loudness at which a sound plays, in percent of its own (0 silent, 100
// as recorded), applied to decoded 16-bit samples and turned into the
// media-control volume. Shared by the backends so both play the very same
// samples.
#include <algorithm>
#include <cstdint>
#include <span>

namespace platform {

constexpr int FullVolume = 100;

// A volume outside 0 to 100 taken as the nearest one inside.
constexpr int ClampVolume(int percent) { return std::clamp(percent, 0, FullVolume); }

// Each sample times percent / 100, rounded to the nearest whole value (halves
// away from zero). A sample can only grow quieter, so nothing clips or wraps;
// 100 leaves every sample as it is and 0 makes all of them 0.
inline void ScaleSamples(std::span<std::int16_t> samples, int percent) {
    const int p = ClampVolume(percent);
    if (p == FullVolume) return;
    for (std::int16_t& s : samples) {
        const int scaled = s * p;  // at most 32768 * 100 in magnitude
        s = static_cast<std::int16_t>((scaled + (scaled < 0 ? -FullVolume / 2 : FullVolume / 2)) / FullVolume);
    }
}

// The media-control command's volume for percent: 0 to 1000.
constexpr int MediaVolume(int percent) { return ClampVolume(percent) * 10; }

}  // namespace platform
