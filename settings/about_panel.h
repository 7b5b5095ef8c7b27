#pragma once
// The About tab's paged tour of the program, drawn into an off-screen picture
// that the settings window shows under its "Home", "<" and ">" buttons, and
// the program's web addresses, which the tour and the menu share.
#include <string>
#include <string_view>

namespace about {
constexpr int PageCount = 8;
constexpr int PageImage = 40;  // the 395 x 254 page picture
constexpr int PageWidth = 395;
constexpr int PageHeight = 254;

// The pictures the pages show, decoded once at their first use.
constexpr int LogoImage = 41;
constexpr int BadgeImage = 42;
constexpr int FullScreenImage = 43;
constexpr int MeetingImage = 44;
constexpr int CostImage = 45;

// Fonts, loaded for each drawing and freed after it.
constexpr int TitleFont = 40;  // "Arial" 10 point bold
constexpr int TextFont = 41;   // "Arial" 9 point

// Where Horavel lives on the web: opened by "Home" and the menu's "Help",
// listed on the contact page.
constexpr std::string_view HomePage = "https://www.horavel.com/";
constexpr std::string_view HelpPage = "https://www.horavel.com/help/";
constexpr std::string_view SourcePage = "https://www.horavel.com/source/";
constexpr std::string_view IssuesPage = "https://www.horavel.com/issues/";
}  // namespace about

// The page `step` pages (+1 or -1) away from `page`, wrapping 7 -> 0 and 0 -> 7.
int TurnAboutPage(int page, int step);
// Draws page 0 to 7 into the page picture; showing it is the settings window's part.
void RenderAboutPage(int page);
// An address as the contact page shows it: without the scheme and the final "/".
std::string ShownAddress(std::string_view address);
