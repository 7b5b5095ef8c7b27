#include "app/placement.h"

WindowMetrics windowMetrics;

void MeasureScreen() {}
bool PlaceWindow() { return false; }
void ApplyWindowModes(platform::WindowState) {}
