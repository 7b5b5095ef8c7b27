#pragma once
// Reads an uncompressed BMP file held in memory, 24-bit or 8-bit with a colour
// table, into rows of colours, top row first. Shared by the backends so both
// read the very same pixels.
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include "platform/types.h"

namespace platform {

struct DecodedBmp {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;  // row by row, top row first
};

namespace bmp {

inline std::uint32_t U32(std::span<const unsigned char> bmp, std::size_t at) {
    std::uint32_t v = 0;
    std::memcpy(&v, bmp.data() + at, 4);
    return v;
}

// The colour table of an 8-bit file: it follows the info header and ends
// before the pixels; blue, green, red and a spare byte per entry.
inline std::optional<std::vector<Colour>> ColourTable(std::span<const unsigned char> bmp, std::uint32_t pixelOffset) {
    const std::uint32_t headerSize = U32(bmp, 14);
    const std::uint32_t used = U32(bmp, 46);
    const std::size_t count = used == 0 ? 256 : used;
    if (headerSize < 40 || headerSize > bmp.size() || count > 256) return std::nullopt;
    const std::size_t start = 14 + static_cast<std::size_t>(headerSize);
    if (start + 4 * count > pixelOffset) return std::nullopt;
    std::vector<Colour> table(count);
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char* e = bmp.data() + start + 4 * i;
        table[i] = Rgb(e[2], e[1], e[0]);
    }
    return table;
}

}  // namespace bmp

inline std::optional<DecodedBmp> DecodeBmp(std::span<const unsigned char> bmp) {
    if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M') return std::nullopt;
    const std::uint32_t offset = bmp::U32(bmp, 10);
    const auto width = static_cast<std::int32_t>(bmp::U32(bmp, 18));
    const auto rawHeight = static_cast<std::int32_t>(bmp::U32(bmp, 22));
    const int bits = bmp[28] | (bmp[29] << 8);
    const std::uint32_t compression = bmp::U32(bmp, 30);
    if ((bits != 24 && bits != 8) || compression != 0 || width <= 0 || width > 16384 || rawHeight == 0 ||
        rawHeight < -16384 || rawHeight > 16384)
        return std::nullopt;
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    const std::size_t stride = (static_cast<std::size_t>(width) * (bits / 8) + 3) & ~std::size_t{3};
    if (offset > bmp.size() || stride * height > bmp.size() - offset) return std::nullopt;
    std::vector<Colour> table;
    if (bits == 8) {
        auto read = bmp::ColourTable(bmp, offset);
        if (!read) return std::nullopt;
        table = std::move(*read);
    }
    DecodedBmp out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int row = 0; row < height; ++row) {
        const int y = rawHeight > 0 ? height - 1 - row : row;  // positive height: stored bottom-up
        const unsigned char* p = bmp.data() + offset + stride * row;
        Colour* line = out.pixels.data() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            if (bits == 24) {
                line[x] = Rgb(p[3 * x + 2], p[3 * x + 1], p[3 * x]);
            } else {
                // An index past a short table names no colour: the file is damaged.
                if (p[x] >= table.size()) return std::nullopt;
                line[x] = table[p[x]];
            }
        }
    }
    return out;
}

}  // namespace platform
