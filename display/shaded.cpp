#include "display/shaded.h"

#include <algorithm>
#include <cmath>

#include "platform/images.h"

namespace {

struct Band {
    platform::Colour from, to;
};
struct Scheme {
    Band edge1, middle, edge2;
};

constexpr platform::Colour C(int r, int g, int b) { return platform::Rgb(r, g, b); }

constexpr Scheme horizontalSchemes[11] = {
    {{C(6, 94, 0), C(70, 200, 0)}, {C(70, 200, 0), C(63, 180, 0)}, {C(60, 170, 0), C(6, 94, 0)}},
    {{C(0, 6, 90), C(45, 90, 230)}, {C(45, 90, 230), C(40, 80, 207)}, {C(35, 75, 197), C(0, 6, 90)}},
    {{C(0, 50, 53), C(26, 135, 138)}, {C(26, 135, 138), C(20, 105, 110)}, {C(18, 100, 105), C(0, 50, 53)}},
    {{C(94, 12, 0), C(255, 192, 77)}, {C(255, 192, 77), C(220, 139, 30)}, {C(210, 130, 0), C(94, 12, 0)}},
    {{C(100, 8, 0), C(255, 55, 0)}, {C(255, 55, 0), C(210, 39, 0)}, {C(190, 35, 0), C(100, 8, 0)}},
    {{C(70, 0, 70), C(230, 0, 230)}, {C(230, 0, 230), C(190, 0, 190)}, {C(170, 0, 170), C(70, 0, 70)}},
    {{C(95, 70, 0), C(255, 228, 0)}, {C(255, 228, 0), C(200, 175, 0)}, {C(190, 160, 0), C(95, 70, 0)}},
    {{C(10, 10, 10), C(178, 178, 178)}, {C(178, 178, 178), C(102, 102, 102)}, {C(102, 102, 102), C(10, 10, 10)}},
    {{C(68, 68, 68), C(151, 151, 151)}, {C(151, 151, 151), C(75, 75, 75)}, {C(75, 75, 75), C(10, 10, 10)}},
    {{C(178, 178, 178), C(255, 255, 255)}, {C(255, 255, 255), C(220, 220, 220)}, {C(210, 210, 210), C(178, 178, 178)}},
    {{C(97, 97, 97), C(15, 15, 15)}, {C(20, 20, 20), C(0, 0, 0)}, {C(0, 0, 0), C(97, 97, 97)}},
};

// The vertical forms that differ from the horizontal ones; teal has none at all.
const Scheme* VerticalScheme(int scheme) {
    static constexpr Scheme green{
        {C(6, 94, 0), C(100, 255, 50)}, {C(100, 255, 50), C(70, 200, 0)}, {C(57, 185, 0), C(6, 94, 0)}};
    static constexpr Scheme blue{
        {C(0, 6, 90), C(50, 100, 255)}, {C(50, 100, 255), C(0, 70, 200)}, {C(0, 57, 185), C(0, 6, 90)}};
    static constexpr Scheme magenta{
        {C(70, 0, 70), C(255, 0, 255)}, {C(255, 0, 255), C(200, 0, 200)}, {C(170, 0, 170), C(70, 0, 70)}};
    static constexpr Scheme grey{
        {C(25, 25, 25), C(178, 178, 178)}, {C(178, 178, 178), C(130, 130, 130)}, {C(110, 110, 110), C(25, 25, 25)}};
    switch (scheme) {
        case 0: return &green;
        case 1: return &blue;
        case 2: return nullptr;
        case 5: return &magenta;
        case 7: return &grey;
        default: return &horizontalSchemes[scheme];
    }
}

}  // namespace

int ShadedEdge(int extent, int edgePercent) {
    const int percent = std::clamp(edgePercent, 0, 100);
    // Single precision on purpose: 20 per cent of 300 must come out as 27, not 28.
    const int edge = static_cast<int>(std::ceil(static_cast<float>(percent) * 0.0045f * static_cast<float>(extent)));
    return edge == 0 ? 1 : edge;
}

void ShadedBox(int x, int y, int width, int height, int scheme, int edgePercent, int direction) {
    if (scheme < 0 || scheme > 10) return;
    const bool vertical = direction == 1;
    const Scheme* s = vertical ? VerticalScheme(scheme) : &horizontalSchemes[scheme];
    if (!s) return;
    const int e = ShadedEdge(vertical ? height : width, edgePercent);
    if (vertical) {
        GradientBand(x, y, width, e, s->edge1.from, s->edge1.to, direction);
        GradientBand(x, y + e, width, height - 2 * e, s->middle.from, s->middle.to, direction);
        GradientBand(x, y + height - e, width, e, s->edge2.from, s->edge2.to, direction);
    } else {
        GradientBand(x, y, e, height, s->edge1.from, s->edge1.to, direction);
        GradientBand(x + e, y, width - 2 * e, height, s->middle.from, s->middle.to, direction);
        GradientBand(x + width - e, y, e, height, s->edge2.from, s->edge2.to, direction);
    }
}

void GradientBand(int x, int y, int width, int height, platform::Colour from, platform::Colour to, int direction) {
    if (!platform::DrawingIsOpen()) return;
    platform::FillGradient({x, y, width, height}, from, to, direction == 1);
}
