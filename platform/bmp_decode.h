#pragma once
// Reads an uncompressed BMP file held in memory into rows of colours, top row
// first: 24-bit files, 8-bit files with a colour table, and 32-bit files whose
// fourth byte is the pixel's alpha (plain, or with the standard red, green,
// blue and alpha bit fields). Shared by the backends so both read the very
// same pixels.
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
    // 32-bit files: each pixel's opacity, 0 transparent to 255 opaque, not
    // premultiplied; empty for a file without alpha.
    std::vector<std::uint8_t> alpha;
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

// A 32-bit file keeps blue, green, red and alpha in its bytes, in that order:
// with no compression, or with bit fields saying exactly that. Files that
// leave every alpha byte 0 (an older writer's unused byte) are opaque.
inline bool Bgra32Layout(std::span<const unsigned char> bmp, std::uint32_t compression, bool* hasAlpha) {
    *hasAlpha = true;
    if (compression == 0) return true;
    if (compression != 3 || bmp.size() < 66) return false;
    if (U32(bmp, 54) != 0x00FF0000u || U32(bmp, 58) != 0x0000FF00u || U32(bmp, 62) != 0x000000FFu) return false;
    // The alpha mask is part of the header from its 56-byte form on.
    *hasAlpha = U32(bmp, 14) >= 56 && bmp.size() >= 70 && U32(bmp, 66) == 0xFF000000u;
    return true;
}

}  // namespace bmp

inline std::optional<DecodedBmp> DecodeBmp(std::span<const unsigned char> bmp) {
    if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M') return std::nullopt;
    const std::uint32_t offset = bmp::U32(bmp, 10);
    const auto width = static_cast<std::int32_t>(bmp::U32(bmp, 18));
    const auto rawHeight = static_cast<std::int32_t>(bmp::U32(bmp, 22));
    const int bits = bmp[28] | (bmp[29] << 8);
    const std::uint32_t compression = bmp::U32(bmp, 30);
    bool hasAlpha = false;
    const bool layoutKnown =
        bits == 32 ? bmp::Bgra32Layout(bmp, compression, &hasAlpha) : (bits == 24 || bits == 8) && compression == 0;
    if (!layoutKnown || width <= 0 || width > 16384 || rawHeight == 0 || rawHeight < -16384 || rawHeight > 16384)
        return std::nullopt;
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    const std::size_t bytesPerPixel = static_cast<std::size_t>(bits / 8);
    const std::size_t stride = (static_cast<std::size_t>(width) * bytesPerPixel + 3) & ~std::size_t{3};
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
    const std::size_t count = static_cast<std::size_t>(width) * height;
    out.pixels.resize(count);
    if (hasAlpha) out.alpha.resize(count);
    bool anyAlpha = false;
    for (int row = 0; row < height; ++row) {
        const int y = rawHeight > 0 ? height - 1 - row : row;  // positive height: stored bottom-up
        const unsigned char* p = bmp.data() + offset + stride * row;
        const std::size_t first = static_cast<std::size_t>(y) * width;
        for (int x = 0; x < width; ++x, p += bytesPerPixel) {
            if (bits == 8) {
                // An index past a short table names no colour: the file is damaged.
                if (p[0] >= table.size()) return std::nullopt;
                out.pixels[first + x] = table[p[0]];
                continue;
            }
            out.pixels[first + x] = Rgb(p[2], p[1], p[0]);
            if (hasAlpha) {
                out.alpha[first + x] = p[3];
                anyAlpha = anyAlpha || p[3] != 0;
            }
        }
    }
    if (!anyAlpha) out.alpha.clear();
    return out;
}

}  // namespace platform
