#pragma once
// Where every element of the main window stands.
#include <array>

#include "platform/types.h"

struct LayoutState {
    int relayoutRequested = 0;  // lay out even when the size did not change
    int lastClientWidth = 0;    // client size at the last completed layout
    int lastClientHeight = 0;
    int columns = 1;            // readout columns, 1 or 2
    int toolTipsOn = 0;         // 1 once the window stands: tool tips come after its first showing
};
extern LayoutState layoutState;

// Readout rectangles in client pixels (x, y, width, height). A window too small
// for a readout gives it a width or height of 0: an empty readout.
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
// 1 while the user moves or sizes the window: hide everything but the logo.
// 0: show it all, lay out when the size changed or a relayout was requested, redraw.
void LayoutReadouts(int hideForMove);
// The readouts open the menu, and say so in their tool tips, only outside a break.
void SetReadoutToolTips();
// Length in pixels of the timer's progress bar (the timer readout's height).
int BarLength();
// The width of one readout column, as a real number (for font sizes).
double ColumnWidth();

// The pure arithmetic of the layout.
int ChooseColumns(int clientWidth, int clientHeight, int showMeetingClock, int showTimer);
struct ButtonArrangement {
    // Start/pause first, then presets 1 to 5.
    std::array<platform::Rect, 6> buttons{};
    int advance = 0;  // how far the timer readout moves down
};
// The sizes and thresholds are design pixels taken at dpi (96 is 100 %).
ButtonArrangement ArrangeTimerButtons(int x, int y, int clientWidth, int columns, int dpi = 96);
