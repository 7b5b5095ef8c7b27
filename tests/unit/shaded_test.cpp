#include <gtest/gtest.h>

#include "display/shaded.h"
#include "platform/images.h"
#include "tests/support/fake_platform.h"

using platform::Rgb;

namespace {

constexpr int Canvas = 50;
constexpr platform::Colour Marker = Rgb(1, 2, 3);

class ShadedTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        platform::CreateImage(Canvas, 300, 60);
        platform::StartDrawing(Canvas);
        platform::FillBox({0, 0, 300, 60}, Marker);
    }
    void TearDown() override { platform::StopDrawing(); }
    platform::Colour At(int x, int y) { return fake::Pixel(Canvas, x, y); }
};

TEST_F(ShadedTest, EdgeBandsAreNinePerCentAtTwentyPerCent) {
    EXPECT_EQ(ShadedEdge(300, 20), 27);
    EXPECT_EQ(ShadedEdge(5, 20), 1);  // ceil(0.45)
    EXPECT_EQ(ShadedEdge(40, 20), 4);  // ceil(3.6)
    EXPECT_EQ(ShadedEdge(100, 100), 45);
    EXPECT_EQ(ShadedEdge(100, 250), 45);  // clamped to 100 per cent
    EXPECT_EQ(ShadedEdge(100, -5), 1);   // 0 per cent still leaves one pixel
}

TEST_F(ShadedTest, HorizontalGreenBoxHasItsThreeBandsWhereTheyBelong) {
    ShadedBox(0, 0, 300, 10, 0, 20, 0);
    EXPECT_EQ(At(0, 5), Rgb(6, 94, 0));       // left edge starts dark
    EXPECT_EQ(At(27, 5), Rgb(70, 200, 0));    // middle band starts at 27
    EXPECT_NE(At(272, 5), Rgb(60, 170, 0));   // still the middle band (246 wide)
    EXPECT_EQ(At(273, 5), Rgb(60, 170, 0));   // right band starts at 300 - 27
    EXPECT_EQ(At(299, 10), Marker);           // nothing below the box
}

TEST_F(ShadedTest, NarrowBoxStillHasOnePixelEdgesAndNoMiddleWhenTooNarrow) {
    ShadedBox(10, 20, 5, 4, 4, 20, 0);
    EXPECT_EQ(At(10, 20), Rgb(100, 8, 0));
    EXPECT_EQ(At(11, 20), Rgb(255, 55, 0));
    EXPECT_EQ(At(14, 20), Rgb(190, 35, 0));
    // One pixel wide: the middle band has width -1 and draws nothing, the
    // right band lands on the same pixel as the left one.
    ShadedBox(100, 20, 1, 4, 4, 20, 0);
    EXPECT_EQ(At(100, 20), Rgb(190, 35, 0));
    EXPECT_EQ(At(101, 20), Marker);
}

TEST_F(ShadedTest, VerticalBoxUsesItsOwnColoursAndFourPixelEdgesAtHeightForty) {
    ShadedBox(0, 0, 10, 40, 0, 20, 1);
    EXPECT_EQ(At(5, 0), Rgb(6, 94, 0));
    EXPECT_EQ(At(5, 4), Rgb(100, 255, 50));  // the vertical green middle
    EXPECT_EQ(At(5, 36), Rgb(57, 185, 0));
    ShadedBox(20, 0, 10, 40, 10, 20, 1);     // black is the same both ways
    EXPECT_EQ(At(25, 0), Rgb(97, 97, 97));
    EXPECT_EQ(At(25, 4), Rgb(20, 20, 20));
    EXPECT_EQ(At(25, 36), Rgb(0, 0, 0));
}

TEST_F(ShadedTest, TealDownwardsAndUnknownSchemesDrawNothing) {
    ShadedBox(0, 0, 300, 60, 2, 20, 1);
    ShadedBox(0, 0, 300, 60, 11, 20, 0);
    ShadedBox(0, 0, 300, 60, -1, 20, 1);
    for (int x = 0; x < 300; x += 13)
        for (int y = 0; y < 60; y += 7) ASSERT_EQ(At(x, y), Marker) << x << "," << y;
    ShadedBox(0, 0, 300, 60, 2, 20, 0);  // teal across is fine
    EXPECT_EQ(At(0, 0), Rgb(0, 50, 53));
}

TEST_F(ShadedTest, GradientBandNeedsAnOpenSurface) {
    platform::StopDrawing();
    GradientBand(0, 0, 300, 60, Rgb(255, 0, 0), Rgb(0, 0, 255), 0);
    EXPECT_EQ(At(0, 0), Marker);
    platform::StartDrawing(Canvas);
    GradientBand(0, 0, 300, 60, Rgb(255, 0, 0), Rgb(0, 0, 255), 1);
    EXPECT_EQ(At(150, 0), Rgb(255, 0, 0));  // vertical: the first row is the from colour
    EXPECT_EQ(At(150, 59), Rgb(5, 0, 250));
}

}  // namespace
