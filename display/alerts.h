#pragma once
// The screen flash and the popup sign. Variant 0 is the finish, 1 the warning.
// Both run on the user-interface thread, set alertBusy while they are on
// screen and return when done.
void ScreenFlash(int variant);
void AlertPopup(int variant);
// Shows the popup sign from a thread of its own and returns at once (the
// settings window's preview, which must stay responsive meanwhile). The
// preview leaves the timer and the readouts alone, and a request while one
// is still on screen is ignored.
void PreviewAlertPopup(int variant);
// Returns when no preview is on screen any more (shutdown).
void WaitForAlertPreview();
