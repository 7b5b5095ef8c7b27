// 8-bit BMPs with a colour table, as the About pictures are carried.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/bmp_decode.h"
#include "resources/embedded.h"

namespace {

using platform::Rgb;

void Put32(std::vector<unsigned char>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// A file with the given table (red, green, blue per entry), `used` in its
// header, and rows of indices stored in file order.
std::vector<unsigned char> Bmp8(int width, int height, const std::vector<platform::Colour>& table, std::uint32_t used,
                                const std::vector<std::vector<unsigned char>>& fileRows) {
    const std::size_t stride = (width + 3) & ~3;
    const std::size_t offset = 54 + 4 * table.size();
    std::vector<unsigned char> b(offset + stride * fileRows.size(), 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    Put32(b, 10, static_cast<std::uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 8;
    Put32(b, 46, used);
    for (std::size_t i = 0; i < table.size(); ++i) {
        b[54 + 4 * i] = static_cast<unsigned char>(platform::Blue(table[i]));
        b[55 + 4 * i] = static_cast<unsigned char>(platform::Green(table[i]));
        b[56 + 4 * i] = static_cast<unsigned char>(platform::Red(table[i]));
    }
    for (std::size_t r = 0; r < fileRows.size(); ++r)
        for (std::size_t x = 0; x < fileRows[r].size(); ++x) b[offset + stride * r + x] = fileRows[r][x];
    return b;
}

const std::vector<platform::Colour> kTable = {Rgb(10, 20, 30), Rgb(255, 0, 0), Rgb(0, 128, 255)};

TEST(BmpPalette, IndicesPickTableColoursInBothRowOrders) {
    // Three pixels a row: each row is padded to four bytes.
    const std::vector<std::vector<unsigned char>> rows = {{0, 1, 2}, {2, 2, 1}};
    const auto bottomUp = platform::DecodeBmp(Bmp8(3, 2, kTable, 3, rows));
    ASSERT_TRUE(bottomUp);
    EXPECT_EQ(bottomUp->width, 3);
    EXPECT_EQ(bottomUp->height, 2);
    const std::vector<platform::Colour> expected = {kTable[2], kTable[2], kTable[1],
                                                    kTable[0], kTable[1], kTable[2]};
    EXPECT_EQ(bottomUp->pixels, expected);
    const auto topDown = platform::DecodeBmp(Bmp8(3, -2, kTable, 3, rows));
    ASSERT_TRUE(topDown);
    EXPECT_EQ(topDown->pixels, (std::vector<platform::Colour>{kTable[0], kTable[1], kTable[2], kTable[2],
                                                                  kTable[2], kTable[1]}));
}

TEST(BmpPalette, DamagedTablesAreRefused) {
    const std::vector<std::vector<unsigned char>> rows = {{0, 1, 2}};
    EXPECT_TRUE(platform::DecodeBmp(Bmp8(3, 1, kTable, 3, rows)));
    // An index past the end of a short table.
    EXPECT_FALSE(platform::DecodeBmp(Bmp8(3, 1, kTable, 3, {{0, 3, 1}})));
    // No count means 256 entries, which these three cannot be: the table
    // would run into the pixels.
    EXPECT_FALSE(platform::DecodeBmp(Bmp8(3, 1, kTable, 0, rows)));
    EXPECT_FALSE(platform::DecodeBmp(Bmp8(3, 1, kTable, 257, rows)));
    // With all 256 entries present, a count of 0 reads them all.
    std::vector<platform::Colour> full(256, Rgb(1, 1, 1));
    full[255] = Rgb(9, 8, 7);
    const auto decoded = platform::DecodeBmp(Bmp8(1, 1, full, 0, {{255}}));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->pixels[0], Rgb(9, 8, 7));
    // A header size that points the table past the file's end.
    auto b = Bmp8(3, 1, kTable, 3, rows);
    Put32(b, 14, 0x7FFFFFF0);
    EXPECT_FALSE(platform::DecodeBmp(b));
}

TEST(BmpPalette, AboutPicturesAreEightBitFilesOfTheirSizes) {
    struct Picture {
        const char* name;
        int width, height;
    };
    const Picture pictures[] = {
        {"logo", 84, 82}, {"badge", 87, 42}, {"full_screen", 129, 127}, {"meeting", 232, 158}, {"cost", 200, 83}};
    for (const Picture& p : pictures) {
        SCOPED_TRACE(p.name);
        const auto bytes = FindEmbeddedResource(std::string("resources/about/") + p.name + ".bmp");
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes[28], 8);
        const auto decoded = platform::DecodeBmp(bytes);
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->width, p.width);
        EXPECT_EQ(decoded->height, p.height);
    }
}

}  // namespace
