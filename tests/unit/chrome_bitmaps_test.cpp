// The chrome bitmaps as the program carries them: well-formed files, the
// strip's bands, and buttons that line up with the strips they stand on.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <utility>

#include "platform/images.h"
#include "resources/embedded.h"
#include "tests/support/fake_platform.h"

namespace {

using platform::Blue;
using platform::Colour;
using platform::Green;
using platform::Red;
using platform::Rgb;

struct Picture {
    const char* name;
    int width, height;
};

const Picture kPictures[] = {
    {"strip", 10, 14},
    {"logo", 14, 14},
    {"grip", 14, 14},
    {"maximize_normal", 12, 12},
    {"maximize_hover", 12, 12},
    {"maximize_pressed", 12, 12},
    {"close_normal", 12, 12},
    {"close_hover", 12, 12},
    {"close_pressed", 12, 12},
    {"settings_normal", 12, 12},
    {"settings_hover", 12, 12},
    {"settings_pressed", 12, 12},
};

const int kBands[] = {67, 145, 108, 82, 54, 30, 16};

Colour StripRow(int row) {
    const int level = row < 7 ? kBands[row] : 0;
    return Rgb(level, level, level);
}

std::span<const unsigned char> Bytes(const std::string& name) {
    return FindEmbeddedResource("resources/chrome/" + name + ".bmp");
}

// Decodes a picture into a fresh image and returns its number.
int Load(const std::string& name) {
    static int next = 100;
    const int image = next++;
    EXPECT_TRUE(platform::DecodeBmpImage(image, Bytes(name))) << name;
    return image;
}

std::uint32_t U32(std::span<const unsigned char> b, std::size_t at) {
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}
int U16(std::span<const unsigned char> b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

bool SameImage(int a, int b) {
    for (int y = 0; y < platform::ImageHeight(a); ++y)
        for (int x = 0; x < platform::ImageWidth(a); ++x)
            if (fake::Pixel(a, x, y) != fake::Pixel(b, x, y)) return false;
    return true;
}

class ChromeBitmaps : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
};

TEST_F(ChromeBitmaps, AreWellFormedUncompressedBmpsOfTheirSize) {
    for (const Picture& p : kPictures) {
        SCOPED_TRACE(p.name);
        const auto b = Bytes(p.name);
        ASSERT_GE(b.size(), 54u);
        const std::uint32_t stride = (p.width * 3 + 3) & ~3u;
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(U32(b, 2), b.size());
        EXPECT_EQ(U32(b, 10), 54u);
        EXPECT_EQ(U32(b, 14), 40u);
        EXPECT_EQ(static_cast<std::int32_t>(U32(b, 18)), p.width);
        EXPECT_EQ(static_cast<std::int32_t>(U32(b, 22)), p.height);  // positive: bottom-up
        EXPECT_EQ(U16(b, 26), 1);
        EXPECT_EQ(U16(b, 28), 24);
        EXPECT_EQ(U32(b, 30), 0u);  // no compression
        EXPECT_EQ(U32(b, 34), stride * p.height);
        EXPECT_EQ(b.size(), 54 + stride * p.height);
        EXPECT_EQ(U32(b, 38), 2835u);
        EXPECT_EQ(U32(b, 42), 2835u);
        const int image = Load(p.name);
        EXPECT_EQ(platform::ImageWidth(image), p.width);
        EXPECT_EQ(platform::ImageHeight(image), p.height);
    }
}

TEST_F(ChromeBitmaps, StripShowsItsGreyBandsFromTheTop) {
    const int strip = Load("strip");
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 10; ++x) ASSERT_EQ(fake::Pixel(strip, x, y), StripRow(y)) << x << "," << y;
}

TEST_F(ChromeBitmaps, ButtonsAndGripContinueTheBandsWhereTheyStand) {
    // The buttons stand one pixel below a strip's top; their symbols keep off
    // the two outer columns on each side and off the top row.
    for (const char* name : {"maximize_normal", "close_normal", "settings_normal"}) {
        SCOPED_TRACE(name);
        const int image = Load(name);
        bool symbol = false;
        for (int y = 0; y < 12; ++y) {
            for (int x : {0, 1, 10, 11}) ASSERT_EQ(fake::Pixel(image, x, y), StripRow(y + 1)) << x << "," << y;
            for (int x = 0; x < 12; ++x) {
                const Colour c = fake::Pixel(image, x, y);
                EXPECT_TRUE(Red(c) == Green(c) && Green(c) == Blue(c)) << "normal is grey at " << x << "," << y;
                if (y == 0) {
                    EXPECT_EQ(c, StripRow(1)) << x;
                }
                symbol |= c != StripRow(y + 1);
            }
        }
        EXPECT_TRUE(symbol) << "no symbol drawn";
    }
    // The grip sits flush with the bottom strip; its ridges fill only the corner.
    const int grip = Load("grip");
    for (int y = 0; y < 14; ++y) {
        EXPECT_EQ(fake::Pixel(grip, 0, y), StripRow(y));
        for (int x = 0; x < 14; ++x)
            if (x + y < 14) {
                EXPECT_EQ(fake::Pixel(grip, x, y), StripRow(y)) << x << "," << y;
            }
    }
    EXPECT_NE(fake::Pixel(grip, 12, 12), StripRow(12));
    // The logo leaves the strip showing around its right edge.
    const int logo = Load("logo");
    for (int y = 0; y < 14; ++y) EXPECT_EQ(fake::Pixel(logo, 13, y), StripRow(y));
}

TEST_F(ChromeBitmaps, HoverAndPressedCarryTheirHueAndDiffer) {
    struct Hue {
        const char* button;
        int (*channel)(Colour);
        int (*other1)(Colour);
        int (*other2)(Colour);
    };
    const Hue hues[] = {{"maximize", Blue, Red, Green}, {"close", Red, Green, Blue}, {"settings", Green, Red, Blue}};
    for (const Hue& h : hues) {
        SCOPED_TRACE(h.button);
        const std::string base = h.button;
        const int normal = Load(base + "_normal"), hover = Load(base + "_hover"), pressed = Load(base + "_pressed");
        EXPECT_FALSE(SameImage(hover, normal));
        EXPECT_FALSE(SameImage(pressed, normal));
        EXPECT_FALSE(SameImage(hover, pressed));
        // The frame runs round the edge; sample it on each side, over the
        // bands and over black.
        const std::pair<int, int> frame[] = {{0, 1}, {11, 8}, {5, 0}, {6, 11}};
        for (auto [x, y] : frame) {
            const Colour lit = fake::Pixel(hover, x, y), dark = fake::Pixel(pressed, x, y);
            for (Colour c : {lit, dark}) {
                EXPECT_GT(h.channel(c), h.other1(c) + 40) << x << "," << y;
                EXPECT_GT(h.channel(c), h.other2(c) + 40) << x << "," << y;
            }
            EXPECT_GT(h.channel(lit), h.channel(dark) + 40) << "pressed is not darker at " << x << "," << y;
        }
        // The inside is tinted too, not just framed.
        const Colour inside = fake::Pixel(hover, 1, 8);
        EXPECT_GT(h.channel(inside), h.other1(inside));
        EXPECT_GT(h.channel(inside), h.other2(inside));
    }
}

TEST_F(ChromeBitmaps, LogoIsAPaleClockWithAColouredHand) {
    const int logo = Load("logo");
    int pale = 0, red = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x) {
            const Colour c = fake::Pixel(logo, x, y);
            pale += Red(c) >= 200 && Green(c) >= 200 && Blue(c) >= 200;
            red += Red(c) >= 200 && Green(c) < 80 && Blue(c) < 80;
        }
    EXPECT_GE(pale, 30);  // the ring and the white hand
    EXPECT_GE(red, 2);
    // The dial inside the ring is dark, so the hands stand out.
    const Colour dial = fake::Pixel(logo, 4, 8);
    EXPECT_LT(Red(dial) + Green(dial) + Blue(dial), 150);
}

}  // namespace
