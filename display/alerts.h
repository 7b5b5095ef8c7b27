#pragma once
// Variant 0 is the finish, 1 the warning. Both return when done.
void ScreenFlash(int variant);
void AlertPopup(int variant);
