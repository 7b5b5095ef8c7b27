#pragma once
// The main window at the dots per inch of the monitor it stands on. Every
// size of its pieces is designed in pixels at 96 dots per inch (100 %) and
// taken at the window's own: a monitor at 150 % makes the title strip 21
// pixels high instead of 14. The readout fonts follow the window's size
// anyway; their points are measured again at the new dots per inch.

inline constexpr int kDesignDpi = 96;

// The main window's dots per inch, followed from the start and every change.
extern int windowDpi;

// Design pixels at dpi, rounded to the nearest pixel (a half away from zero).
int ScaleToDpi(int designPixels, int dpi);
// Design pixels at the main window's dots per inch.
int Scaled(int designPixels);

// Takes the window's dots per inch: the font points, the font scale and the
// chrome pictures at that size. Once the window is open, before its gadgets.
void TakeWindowDpi(int dpi);
// Takes the window's dots per inch when they are no longer those taken last;
// true when they changed. The layout asks before each pass, so that it stands
// at them whichever message brought the window onto another monitor.
bool CatchUpWindowDpi();
// The system said that the window's dots per inch changed: lays the window
// out anew (at the end of a move or resize when one is going on).
void FollowDpiChange();
