#pragma once
// Variant 0 is the finish, 1 the warning. Both return when done.
void ScreenFlash(int variant);
void AlertPopup(int variant);
// Runs AlertPopup on a thread of its own and returns at once (the settings
// window's preview, which must stay responsive meanwhile).
void PreviewAlertPopup(int variant);
