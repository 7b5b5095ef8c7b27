#include "settings/about_panel.h"

#include <span>

#include "display/shaded.h"
#include "lang/messages.h"
#include "platform/images.h"
#include "resources/embedded.h"

namespace {

using platform::Colour;
using platform::Rgb;

constexpr Colour kFrameGrey = Rgb(150, 150, 150);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kGold = Rgb(255, 221, 0);
constexpr Colour kWhite = Rgb(255, 255, 255);

constexpr int kTitleX = 160;
constexpr int kBulletX = 170;

// The page area: a one-pixel gold frame around a black field.
constexpr platform::Rect kPageArea{148, 23, 234, 160};

constexpr const char* kFooter = "Horavel (v1.6.7)";

// The contact page's texts that no message carries; the titles over the home
// and help addresses are the texts of the "Home" button and the "Help" entry.
constexpr const char* kSourceTitle = "Source code and issues";
constexpr const char* kIssuesLead = "Report problems and ideas at";

struct Picture {
    int image;
    const char* resource;
};
constexpr Picture kPictures[] = {
    {about::LogoImage, "resources/about/logo.bmp"},
    {about::BadgeImage, "resources/about/badge.bmp"},
    {about::FullScreenImage, "resources/about/full_screen.bmp"},
    {about::MeetingImage, "resources/about/meeting.bmp"},
    {about::CostImage, "resources/about/cost.bmp"},
};

// Decoded at the first drawing and kept for the rest of the run: the settings
// window may never be opened, and once it is, pages turn often.
void LoadPictures() {
    for (const Picture& p : kPictures)
        if (!platform::ImageExists(p.image)) platform::DecodeBmpImage(p.image, FindEmbeddedResource(p.resource));
}

// One line of a text page: a title (white, title font, x 160) or a bullet
// ("- " and the message, gold, text font, x 170).
struct Line {
    int y;
    int message;
    bool title;
};

constexpr Line kPage1[] = {{28, 132, true},  {43, 133, false},  {58, 134, false}, {73, 135, false},
                           {88, 136, false}, {103, 137, false}, {118, 138, false}, {133, 139, false}};
constexpr Line kPage3[] = {{28, 144, true},  {43, 145, false},  {58, 146, false},
                           {88, 147, true},  {103, 148, false}, {118, 149, false}, {133, 150, false}};
constexpr Line kPage4[] = {{28, 151, true},  {43, 152, false},  {58, 153, false},
                           {88, 154, true},  {103, 155, false}, {118, 156, false}, {133, 157, false}};
constexpr Line kPage5[] = {{28, 158, true}, {43, 159, false},  {58, 160, false},
                           {88, 161, true}, {103, 162, false}, {118, 163, false}};
constexpr Line kPage6[] = {{123, 164, true}, {138, 165, false}, {153, 166, false}};

void Title(int y, const std::string& text) {
    platform::DrawingFont(about::TitleFont);
    platform::DrawTextAt(kTitleX, y, text, kWhite);
}

void Gold(int x, int y, const std::string& text) {
    platform::DrawingFont(about::TextFont);
    platform::DrawTextAt(x, y, text, kGold);
}

void DrawLines(std::span<const Line> lines) {
    for (const Line& line : lines) {
        if (line.title)
            Title(line.y, Message(line.message));
        else
            Gold(kBulletX, line.y, "- " + Message(line.message));
    }
}

void DrawFullScreenPage() {
    ShadedBox(151, 26, 228, 154, 7, 10, 0);
    ShadedBox(161, 26, 208, 154, 9, 25, 1);
    platform::DrawImage(about::FullScreenImage, 195, 35);
    const std::string caption = Message(131);
    platform::DrawingFont(about::TextFont);
    const int x = kPageArea.x + (kPageArea.width - platform::TextWidth(caption)) / 2;
    platform::DrawTextAt(x, 164, caption, kBlack);
}

// Black under white, one pixel lower: a shadow that keeps the words readable
// over the picture.
void ShadowedText(int x, int y, const std::string& text) {
    platform::DrawTextAt(x, y + 1, text, kBlack);
    platform::DrawTextAt(x, y, text, kWhite);
}

void DrawMeetingPage() {
    platform::DrawImage(about::MeetingImage, 149, 24);
    platform::DrawingFont(about::TextFont);
    ShadowedText(260, 30, Message(142));
    ShadowedText(270, 45, Message(143));
}

void DrawContactPage() {
    Title(28, kSourceTitle);
    Gold(kBulletX, 43, ShownAddress(about::SourcePage));
    Gold(kBulletX, 58, kIssuesLead);
    Gold(kBulletX, 73, ShownAddress(about::IssuesPage));
    Title(93, Message(177));
    Gold(kBulletX, 108, ShownAddress(about::HomePage));
    Title(128, Message(193));
    Gold(kBulletX, 143, ShownAddress(about::HelpPage));
}

void DrawPageContent(int page) {
    switch (page) {
        case 0: DrawFullScreenPage(); break;
        case 1: DrawLines(kPage1); break;
        case 2: DrawMeetingPage(); break;
        case 3: DrawLines(kPage3); break;
        case 4: DrawLines(kPage4); break;
        case 5: DrawLines(kPage5); break;
        case 6:
            platform::DrawImage(about::CostImage, 166, 30);
            DrawLines(kPage6);
            break;
        case 7: DrawContactPage(); break;
        default: break;
    }
}

}  // namespace

int TurnAboutPage(int page, int step) {
    return ((page + step) % about::PageCount + about::PageCount) % about::PageCount;
}

std::string ShownAddress(std::string_view address) {
    if (const auto scheme = address.find("://"); scheme != std::string_view::npos) address.remove_prefix(scheme + 3);
    if (address.ends_with('/')) address.remove_suffix(1);
    return std::string(address);
}

void RenderAboutPage(int page) {
    LoadPictures();
    if (!platform::ImageExists(about::PageImage) &&
        !platform::CreateImage(about::PageImage, about::PageWidth, about::PageHeight))
        return;
    // The page is drawn in pixels at 96 dots per inch, and the settings window
    // shows it grown to its own: its texts are measured at 96 as well.
    const int fontDpi = platform::FontDpi();
    platform::SetFontDpi(96);
    platform::LoadFont(about::TitleFont, "Arial", 10, true);
    platform::LoadFont(about::TextFont, "Arial", 9, false);
    if (platform::StartDrawing(about::PageImage)) {
        platform::FillBox({0, 0, about::PageWidth, about::PageHeight}, kFrameGrey);
        platform::FillBox({2, 2, about::PageWidth - 4, about::PageHeight - 4}, kBlack);

        // The left column: logo, the black frame around "Home" (one pixel more
        // than the button's 21 rows), the badge.
        ShadedBox(3, 3, 136, 248, 7, 20, 0);
        platform::DrawImage(about::LogoImage, 30, 7);
        platform::DrawImage(about::BadgeImage, 28, 206);
        platform::FillBox({18, 93, 108, 22}, kBlack);

        platform::FillBox(kPageArea, kGold);
        platform::FillBox({kPageArea.x + 1, kPageArea.y + 1, kPageArea.width - 2, kPageArea.height - 2}, kBlack);

        DrawPageContent(page);

        platform::DrawingFont(about::TitleFont);
        platform::DrawTextAt(kTitleX, 230, kFooter, kWhite);
        platform::StopDrawing();
    }
    platform::FreeFont(about::TitleFont);
    platform::FreeFont(about::TextFont);
    platform::SetFontDpi(fontDpi);
}
