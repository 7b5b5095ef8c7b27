#include "display/layout.h"

LayoutState layoutState;
platform::Rect costRect;
platform::Rect clockRect;
platform::Rect timerRect;
EdgeRect timerHitRect;
float fontScale = 1.0f;

void CalibrateFontScale() {}
void LayoutReadouts(int) {}
int BarLength() { return timerRect.height; }
