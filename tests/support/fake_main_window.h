#pragma once
// The main window as the start-up leaves it, for layout and readout tests.

namespace fake {

// Resets the fake platform, the settings (first-run values), the layout,
// placement, monitor, main-loop, timer and meeting globals, loads the English
// messages, then opens a borderless main window of this client size with the
// readout images, chrome images and gadgets of the start-up, and measures the
// font scale.
void OpenReadoutWindow(int clientWidth, int clientHeight);

}  // namespace fake
