#pragma once
// The About tab's paged tour of the program, drawn into an off-screen picture
// that the settings window shows under its "Home", "<" and ">" buttons.

namespace about {
constexpr int PageCount = 8;
constexpr int PageImage = 40;  // the 395 x 254 page picture
}  // namespace about

// The page `step` pages (+1 or -1) away from `page`, wrapping 7 -> 0 and 0 -> 7.
int TurnAboutPage(int page, int step);
// Draws page 0 to 7 into the page picture; showing it is the settings window's part.
void RenderAboutPage(int page);
