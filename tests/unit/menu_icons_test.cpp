// The menu icons as the program carries them, and the decoding of 32-bit
// BMP files with alpha.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/Horavel_Main.h"
#include "platform/bmp_decode.h"
#include "resources/embedded.h"
#include "settings/settings.h"
#include "tests/support/fake_platform.h"
#include "timekeeping/time_values.h"

namespace {

// A bottom-up 2 x 1 BMP of 32 bits per pixel: a header of headerSize bytes,
// then (for bit fields) the masks, then the pixels as B, G, R, A.
std::vector<unsigned char> Bmp32(std::uint32_t headerSize, std::uint32_t compression,
                                 const std::vector<std::uint32_t>& masks, const std::vector<unsigned char>& pixels) {
    std::vector<unsigned char> b(14 + 40, 0);
    auto put = [&](std::size_t at, std::uint32_t v) { std::memcpy(b.data() + at, &v, 4); };
    b[0] = 'B';
    b[1] = 'M';
    put(14, headerSize);
    put(18, 2);
    put(22, 1);
    b[26] = 1;
    b[28] = 32;
    put(30, compression);
    for (std::uint32_t m : masks) {
        b.resize(b.size() + 4);
        put(b.size() - 4, m);
    }
    b.resize(14 + std::max<std::size_t>(headerSize, b.size() - 14));
    put(10, static_cast<std::uint32_t>(b.size()));
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

}  // namespace

TEST(BmpDecode, ThirtyTwoBitFilesKeepTheirAlpha) {
    const std::vector<unsigned char> pixels = {10, 20, 30, 128, 40, 50, 60, 255};
    const std::vector<std::uint32_t> bgra = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    struct Case {
        const char* what;
        std::vector<unsigned char> file;
        bool decodes;
        bool alpha;
    };
    const Case cases[] = {
        {"plain", Bmp32(40, 0, {}, pixels), true, true},
        {"bit fields, V5 header", Bmp32(124, 3, bgra, pixels), true, true},
        {"bit fields, no alpha mask", Bmp32(40, 3, {0x00FF0000, 0x0000FF00, 0x000000FF}, pixels), true, false},
        {"plain, alpha bytes all 0", Bmp32(40, 0, {}, {10, 20, 30, 0, 40, 50, 60, 0}), true, false},
        {"other bit fields", Bmp32(124, 3, {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000}, pixels), false, false},
        {"compressed", Bmp32(40, 1, {}, pixels), false, false},
        {"pixels cut short", Bmp32(40, 0, {}, {10, 20, 30, 128}), false, false},
    };
    for (const Case& c : cases) {
        const auto decoded = platform::DecodeBmp(c.file);
        ASSERT_EQ(decoded.has_value(), c.decodes) << c.what;
        if (!decoded) continue;
        EXPECT_EQ(decoded->pixels, (std::vector<platform::Colour>{platform::Rgb(30, 20, 10), platform::Rgb(60, 50, 40)}))
            << c.what;
        const std::vector<std::uint8_t> alpha = c.alpha ? std::vector<std::uint8_t>{128, 255} : std::vector<std::uint8_t>();
        EXPECT_EQ(decoded->alpha, alpha) << c.what;
    }
}

TEST(MenuIcons, StartUpDecodesElevenIconsWithSoftEdges) {
    fake::Reset();
    settings = Settings{};
    meetingStart = meetingEnd = 0;
    ASSERT_TRUE(InitApplication());
    for (int image = 8; image <= 18; ++image) {
        ASSERT_TRUE(fake::state.images.count(image)) << image;
        const fake::Image& icon = fake::state.images[image];
        EXPECT_EQ(icon.width, 16) << image;
        EXPECT_EQ(icon.height, 16) << image;
        ASSERT_EQ(icon.alpha.size(), 256u) << image;
        int clear = 0, solid = 0, soft = 0, dark = 0, bright = 0;
        for (std::size_t i = 0; i < 256; ++i) {
            const int a = icon.alpha[i];
            clear += a == 0;
            solid += a == 255;
            soft += a > 0 && a < 255;
            const platform::Colour c = icon.pixels[i];
            const int sum = platform::Red(c) + platform::Green(c) + platform::Blue(c);
            dark += a >= 160 && sum < 250;
            bright += a == 255 && std::max({platform::Red(c), platform::Green(c), platform::Blue(c)}) >= 140;
        }
        // A shape on a clear ground, smooth at its edges, outlined dark so it
        // stands out on a light menu while its bright fill does on a dark one.
        EXPECT_GT(clear, 20) << image;
        EXPECT_GT(solid, 40) << image;
        EXPECT_GT(soft, 8) << image;
        EXPECT_GT(dark, 30) << image;
        EXPECT_GT(bright, 15) << image;
        for (int other = 8; other < image; ++other)
            EXPECT_NE(fake::state.images[other].pixels, icon.pixels) << image << " and " << other;
    }
}
