#pragma once
// Small value types shared by every part of the gadget runtime.
#include <cstdint>

namespace platform {

// A colour as 0x00RRGGBB.
using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b) {
    return (static_cast<Colour>(r & 255) << 16) | (static_cast<Colour>(g & 255) << 8) |
           static_cast<Colour>(b & 255);
}
constexpr int Red(Colour c) { return static_cast<int>((c >> 16) & 255); }
constexpr int Green(Colour c) { return static_cast<int>((c >> 8) & 255); }
constexpr int Blue(Colour c) { return static_cast<int>(c & 255); }

struct Point {
    int x = 0;
    int y = 0;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// True when p lies inside r, edges included.
constexpr bool Contains(const Rect& r, Point p) {
    return p.x >= r.x && p.x <= r.x + r.width && p.y >= r.y && p.y <= r.y + r.height;
}

}  // namespace platform
