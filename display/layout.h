#pragma once
// Where every element of the main window stands.
#include "platform/types.h"

struct LayoutState {
    int relayoutRequested = 0;
    int lastClientWidth = 0;
    int lastClientHeight = 0;
    int columns = 1;
};
extern LayoutState layoutState;

// Readout rectangles in client pixels (x, y, width, height).
extern platform::Rect costRect;
extern platform::Rect clockRect;
extern platform::Rect timerRect;
// The timer readout as left, top, right, bottom.
struct EdgeRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
extern EdgeRect timerHitRect;
// Font points per pixel of average character width, measured once.
extern float fontScale;

// Font numbers.
namespace font {
constexpr int Cost = 1;  // also the 10-point calibration font
constexpr int Clock = 2;  // also the 60-point calibration font
constexpr int Text = 3;
constexpr int Tenths = 4;
}  // namespace font

void CalibrateFontScale();
void LayoutReadouts(int hideForMove);
// Length in pixels of the timer's progress bar (the timer readout's height).
int BarLength();
