#pragma once
// Point sizes of the readout fonts. Every size follows the width available per
// character: fontScale points give one pixel of average character width, so a
// text of n characters fills about X pixels at fontScale * X / n points.

// The cost font asked for before its height is checked (a real number).
double CostFontRequest(float scale, double columnWidth, int sampleCharacters);
struct CostFont {
    int points = 0;
    int height = 0;  // the height of the cost strip
};
// The cost strip may take at most a tenth of the client height: a font whose
// text is taller is scaled down to fit and the strip is cut to that tenth.
CostFont FitCostFont(double requestedPoints, int textHeight, int clientHeight);

int ClockFontPoints(float scale, double columnWidth, int clientWidth, bool clock24);
int TimerFontPoints(float scale, double columnWidth);
int TenthsFontPoints(int timerPoints);
int BreakFontPoints(float scale, double columnWidth, int mode, bool clock24);

// Loads an "Arial" font into a slot; sizes below one point ask for one point.
void LoadReadoutFont(int slot, int points, bool bold);

// Nearest integer, an exact half going to the even neighbour.
int NearestEven(double value);
