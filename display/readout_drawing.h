#pragma once
// Helpers shared by the readout drawing files.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "display/shaded.h"
#include "platform/images.h"
#include "platform/types.h"

namespace readout {

// Nearest integer, an exact half going away from zero.
inline int Round(double value) {
    return static_cast<int>(std::round(std::clamp(value, -1e9, 1e9)));
}

// ceil(ms / 1000): the whole seconds a blinking readout is locked to.
inline std::int32_t CeilSeconds(std::int32_t ms) {
    return ms > 0 ? static_cast<std::int32_t>((static_cast<std::int64_t>(ms) + 999) / 1000) : ms / 1000;
}

// A flat colour, or with the 3D look the shaded box of a scheme.
inline void Fill(int x, int y, int w, int h, platform::Colour flat, int scheme, bool shaded) {
    if (shaded)
        ShadedBox(x, y, w, h, scheme, 20, 0);
    else
        platform::FillBox({x, y, w, h}, flat);
}

void DrawCostReadout();
void DrawMeetingClock();
void DrawCountDown();
void DrawCountUp();
void DrawBreakReadout();

}  // namespace readout
