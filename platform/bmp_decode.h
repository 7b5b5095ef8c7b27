#pragma once
// Reads an uncompressed 24-bit BMP file held in memory into rows of colours,
// top row first. Shared by the backends so both read the very same pixels.
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

inline std::optional<DecodedBmp> DecodeBmp24(std::span<const unsigned char> bmp) {
    auto u32 = [&](std::size_t at) {
        std::uint32_t v = 0;
        std::memcpy(&v, bmp.data() + at, 4);
        return v;
    };
    if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M') return std::nullopt;
    const std::uint32_t offset = u32(10);
    const auto width = static_cast<std::int32_t>(u32(18));
    const auto rawHeight = static_cast<std::int32_t>(u32(22));
    const int bits = bmp[28] | (bmp[29] << 8);
    const std::uint32_t compression = u32(30);
    if (bits != 24 || compression != 0 || width <= 0 || width > 16384 || rawHeight == 0 || rawHeight < -16384 ||
        rawHeight > 16384)
        return std::nullopt;
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    if (offset > bmp.size() || stride * height > bmp.size() - offset) return std::nullopt;
    DecodedBmp out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int row = 0; row < height; ++row) {
        const int y = rawHeight > 0 ? height - 1 - row : row;  // positive height: stored bottom-up
        const unsigned char* p = bmp.data() + offset + stride * row;
        for (int x = 0; x < width; ++x)
            out.pixels[static_cast<std::size_t>(y) * width + x] = Rgb(p[3 * x + 2], p[3 * x + 1], p[3 * x]);
    }
    return out;
}

}  // namespace platform
