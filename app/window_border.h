#pragma once
// Puts a changed ShowWinBorder on the open main window.

// Adds or removes the standard frame of the main window, keeping its inner
// size; a window in the right half of the screen keeps its outer right edge,
// and the window is held on the screen. Clears BorderChanged.
void ApplyBorderChange();
