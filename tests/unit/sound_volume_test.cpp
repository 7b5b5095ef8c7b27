// A sound's volume: its decoded samples scaled.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/sound_volume.h"
#include "sound/built_in_sounds.h"
#include "sound/ogg_decoder.h"

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
