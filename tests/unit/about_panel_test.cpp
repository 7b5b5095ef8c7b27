// The About tab's pages as drawn on the fake backend, where every character is
// a solid block: a text shows as a row of blocks of its colour, whose height
// tells the font (13 rows for the 10-point title font, 12 for the 9-point text
// font at 96 dpi) and whose count tells the text.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "lang/language_file.h"
#include "lang/messages.h"
#include "lang/utf8.h"
#include "platform/images.h"
#include "resources/embedded.h"
#include "settings/about_panel.h"
#include "settings/settings_store.h"
#include "tests/support/fake_platform.h"

namespace {

using platform::Colour;
using platform::Rgb;

constexpr Colour kGrey = Rgb(150, 150, 150);
constexpr Colour kBlack = Rgb(0, 0, 0);
constexpr Colour kGold = Rgb(255, 221, 0);
constexpr Colour kWhite = Rgb(255, 255, 255);

constexpr int kCharWidth = 6;  // both fonts at 96 dpi
constexpr int kTitleHeight = 13;
constexpr int kTextHeight = 12;

const std::string kFolder = "C:\\Users\\tester\\AppData\\Roaming\\Horavel\\";

Colour At(int x, int y) { return fake::Pixel(about::PageImage, x, y); }

// One text line of a page: where it starts, what it says, how it looks.
struct Text {
    int x, y;
    std::string text;
    Colour colour;
    int height;
};
Text TitleAt(int y, const std::string& text) { return {160, y, text, kWhite, kTitleHeight}; }
Text BulletAt(int y, int message) { return {170, y, "- " + Message(message), kGold, kTextHeight}; }
Text ContactAt(int y, const std::string& text) { return {170, y, text, kGold, kTextHeight}; }

// The text's blocks stand where they should and nothing of its colour runs on
// past its ends or below its font's height. The fake's characters are wider
// than Arial's, so a long German line may run off the picture's right edge.
void ExpectText(const Text& t) {
    SCOPED_TRACE(t.text + " at y " + std::to_string(t.y));
    const int fitting = (about::PageWidth - t.x) / kCharWidth;
    const int n = std::min(CharacterCount(t.text), fitting);
    ASSERT_GT(n, 0);
    EXPECT_EQ(At(t.x, t.y), t.colour);
    EXPECT_EQ(At(t.x, t.y + t.height - 1), t.colour);
    EXPECT_NE(At(t.x, t.y + t.height), t.colour);
    EXPECT_NE(At(t.x - 1, t.y), t.colour);
    EXPECT_NE(At(t.x, t.y - 1), t.colour);
    const int lastX = t.x + (n - 1) * kCharWidth;  // texts here end in a visible character
    EXPECT_EQ(At(lastX, t.y), t.colour);
    EXPECT_EQ(At(lastX + kCharWidth - 2, t.y + t.height - 1), t.colour);
    if (n < fitting) {
        EXPECT_NE(At(lastX + kCharWidth, t.y), t.colour);
    }
}

std::vector<Text> PageTexts(int page) {
    switch (page) {
        case 1:
            return {TitleAt(28, Message(132)), BulletAt(43, 133),  BulletAt(58, 134),  BulletAt(73, 135),
                    BulletAt(88, 136),         BulletAt(103, 137), BulletAt(118, 138), BulletAt(133, 139)};
        case 3:
            return {TitleAt(28, Message(144)), BulletAt(43, 145),  BulletAt(58, 146),  TitleAt(88, Message(147)),
                    BulletAt(103, 148),        BulletAt(118, 149), BulletAt(133, 150)};
        case 4:
            return {TitleAt(28, Message(151)), BulletAt(43, 152),  BulletAt(58, 153),  TitleAt(88, Message(154)),
                    BulletAt(103, 155),        BulletAt(118, 156), BulletAt(133, 157)};
        case 5:
            return {TitleAt(28, Message(158)), BulletAt(43, 159), BulletAt(58, 160), TitleAt(88, Message(161)),
                    BulletAt(103, 162),        BulletAt(118, 163)};
        case 6: return {TitleAt(123, Message(164)), BulletAt(138, 165), BulletAt(153, 166)};
        case 7:
            return {TitleAt(28, "Source code and issues"),    ContactAt(43, "www.horavel.com/source"),
                    ContactAt(58, "Report problems and ideas at"), ContactAt(73, "www.horavel.com/issues"),
                    TitleAt(93, Message(177)),                  ContactAt(108, "www.horavel.com"),
                    TitleAt(128, Message(193)),                 ContactAt(143, "www.horavel.com/help")};
        default: return {};
    }
}

// The texts of page 2 and page 0, which lie over pictures.
void ExpectPictureTexts(int page) {
    if (page == 2) {
        // White over a black copy one pixel lower: the shadow shows as the
        // black row under each white block.
        for (auto [x, y, message] : {std::tuple{260, 30, 142}, std::tuple{270, 45, 143}}) {
            SCOPED_TRACE(message);
            const int n = std::min(CharacterCount(Message(message)), (about::PageWidth - x) / kCharWidth);
            EXPECT_EQ(At(x, y), kWhite);
            EXPECT_EQ(At(x, y + kTextHeight - 1), kWhite);
            EXPECT_EQ(At(x, y + kTextHeight), kBlack);
            EXPECT_EQ(At(x + (n - 1) * kCharWidth, y), kWhite);
        }
    } else if (page == 0) {
        const int width = CharacterCount(Message(131)) * kCharWidth;
        ExpectText({148 + (234 - width) / 2, 164, Message(131), kBlack, kTextHeight});
    }
}

int LoadPicture(int image, const char* name) {
    EXPECT_TRUE(platform::DecodeBmpImage(image, FindEmbeddedResource(std::string("resources/about/") + name)))
        << name;
    return image;
}

// The picture stands with its top-left at (x, y): compare its corners and centre.
void ExpectPictureAt(int picture, int x, int y) {
    const int w = platform::ImageWidth(picture), h = platform::ImageHeight(picture);
    ASSERT_GT(w, 0);
    for (auto [px, py] : {std::pair{0, 0}, std::pair{w - 1, 0}, std::pair{0, h - 1}, std::pair{w - 1, h - 1},
                          std::pair{w / 2, h / 2}})
        EXPECT_EQ(At(x + px, y + py), fake::Pixel(picture, px, py)) << px << "," << py;
}

class AboutPanel : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        SettingsFolder = kFolder;
        LoadLanguage("English");
    }
};

TEST_F(AboutPanel, FrameColumnPageAreaAndFooterAreTheSameOnEveryPage) {
    for (int page = 0; page < about::PageCount; ++page) {
        SCOPED_TRACE("page " + std::to_string(page));
        RenderAboutPage(page);
        ASSERT_EQ(platform::ImageWidth(about::PageImage), 395);
        ASSERT_EQ(platform::ImageHeight(about::PageImage), 254);
        // Grey outer frame two pixels wide, black inside it.
        for (auto [x, y] : {std::pair{0, 0}, std::pair{1, 1}, std::pair{394, 253}, std::pair{393, 100},
                            std::pair{200, 252}, std::pair{140, 0}})
            EXPECT_EQ(At(x, y), kGrey) << x << "," << y;
        EXPECT_EQ(At(2, 2), kBlack);
        EXPECT_EQ(At(392, 251), kBlack);
        // The column: a grey shaded box 136 wide with 13-pixel edges, between
        // the "Home" frame and the badge.
        EXPECT_EQ(At(3, 150), Rgb(10, 10, 10));
        EXPECT_EQ(At(16, 150), Rgb(178, 178, 178));
        EXPECT_EQ(At(126, 150), Rgb(102, 102, 102));
        EXPECT_EQ(At(139, 150), kBlack);
        EXPECT_EQ(At(16, 3), Rgb(178, 178, 178));
        EXPECT_EQ(At(16, 250), Rgb(178, 178, 178));
        EXPECT_EQ(At(16, 251), kBlack);
        // The black frame behind "Home", 108 x 22 at (18, 93).
        for (auto [x, y] : {std::pair{18, 93}, std::pair{125, 93}, std::pair{18, 114}, std::pair{125, 114}})
            EXPECT_EQ(At(x, y), kBlack) << x << "," << y;
        for (auto [x, y] : {std::pair{17, 100}, std::pair{126, 100}, std::pair{60, 92}, std::pair{60, 115}})
            EXPECT_NE(At(x, y), kBlack) << x << "," << y;
        // The page area's gold frame, one pixel wide, around (148, 23) 234 x 160.
        for (auto [x, y] : {std::pair{148, 23}, std::pair{381, 23}, std::pair{148, 182}, std::pair{381, 182},
                            std::pair{260, 23}, std::pair{148, 100}})
            EXPECT_EQ(At(x, y), kGold) << x << "," << y;
        for (auto [x, y] : {std::pair{147, 23}, std::pair{382, 100}, std::pair{260, 22}, std::pair{260, 183}})
            EXPECT_EQ(At(x, y), kBlack) << x << "," << y;
        ExpectText({160, 230, "Horavel (v1.6.7)", kWhite, kTitleHeight});
    }
}

TEST_F(AboutPanel, PicturesStandWhereThePagesPutThem) {
    const int logo = LoadPicture(100, "logo.bmp"), badge = LoadPicture(101, "badge.bmp");
    const int fullScreen = LoadPicture(102, "full_screen.bmp"), meeting = LoadPicture(103, "meeting.bmp");
    const int cost = LoadPicture(104, "cost.bmp");
    RenderAboutPage(0);
    ExpectPictureAt(logo, 30, 7);
    ExpectPictureAt(badge, 28, 206);
    ExpectPictureAt(fullScreen, 195, 35);
    // Page 0's backdrop: the grey box (10 % edges) under the silver one (25 %, downwards).
    EXPECT_EQ(At(151, 100), Rgb(10, 10, 10));
    EXPECT_EQ(At(369, 100), Rgb(94, 94, 94));  // its right edge band, 11 wide, beside the silver
    EXPECT_EQ(At(161, 26), Rgb(178, 178, 178));
    EXPECT_EQ(At(161, 44), Rgb(255, 255, 255));  // 18-pixel top band
    EXPECT_EQ(At(368, 44), Rgb(255, 255, 255));
    RenderAboutPage(2);
    ExpectPictureAt(meeting, 149, 24);
    RenderAboutPage(6);
    ExpectPictureAt(cost, 166, 30);
    EXPECT_EQ(At(165, 30), kBlack);
    EXPECT_EQ(At(366, 112), kBlack);
}

TEST_F(AboutPanel, EveryPageShowsItsTextsInEnglishAndInGerman) {
    for (const char* language : {"English", "Deutsch"}) {
        LoadLanguage(language);
        SCOPED_TRACE(language);
        for (int page = 0; page < about::PageCount; ++page) {
            SCOPED_TRACE("page " + std::to_string(page));
            RenderAboutPage(page);
            for (const Text& t : PageTexts(page)) ExpectText(t);
            ExpectPictureTexts(page);
        }
    }
    // German really was drawn, not English twice.
    EXPECT_EQ(Message(132), "Funktionen im Überblick");
    EXPECT_EQ(Message(177), "Startseite");
}

TEST_F(AboutPanel, PageZeroCentresItsCaptionInThePageAreaWhateverItsLength) {
    // 8 characters are 48 pixels: x = 148 + 93; 37 are 222: 148 + 6. 41 are
    // 246, wider than the area: 148 + (-12) / 2 = 142.
    for (const std::string& caption : {std::string("Vollbild"), std::string(37, 'W'), std::string(41, 'W')}) {
        SCOPED_TRACE(caption);
        std::string table = std::string(kLanguageFileHeader) + "\r\n";
        for (int n = 1; n <= 199; ++n) {
            char number[8];
            std::snprintf(number, sizeof number, "%03d-", n);
            table += number + (n == 131 ? caption : std::string()) + "\r\n";
        }
        fake::state.files[kFolder + "Test_v167.txt"] = table;
        LoadLanguage("Test");
        ASSERT_EQ(Message(131), caption);
        RenderAboutPage(0);
        if (caption.size() == 8) {
            ExpectText({241, 164, caption, kBlack, kTextHeight});
        } else if (caption.size() == 37) {
            ExpectText({154, 164, caption, kBlack, kTextHeight});
        } else {
            // Black on black beyond the area: the caption shows only where it
            // crosses the gold frame. From x 142 a character starts on the left
            // frame (x 148) and a gap between two falls on the right one (x 381).
            EXPECT_EQ(At(148, 164), kBlack);
            EXPECT_EQ(At(148, 163), kGold);
            EXPECT_EQ(At(381, 164), kGold);
            EXPECT_EQ(At(380, 164), kBlack);
            EXPECT_EQ(At(374, 164), kBlack);
            EXPECT_NE(At(375, 164), kBlack);
        }
    }
}

TEST_F(AboutPanel, PagesWrapAroundBothWays) {
    int page = 0;
    for (int i = 0; i < 7; ++i) page = TurnAboutPage(page, 1);
    EXPECT_EQ(page, 7);
    EXPECT_EQ(TurnAboutPage(page, 1), 0);
    EXPECT_EQ(TurnAboutPage(0, -1), 7);
    EXPECT_EQ(TurnAboutPage(4, -1), 3);
}

TEST_F(AboutPanel, FontsAreLoadedForEachDrawingAndReleasedAfterIt) {
    RenderAboutPage(1);
    EXPECT_EQ(fake::state.fonts.count(about::TitleFont), 0u);
    EXPECT_EQ(fake::state.fonts.count(about::TextFont), 0u);
    EXPECT_FALSE(platform::DrawingIsOpen());
}

TEST_F(AboutPanel, ContactAddressesAreShownWithoutSchemeOrFinalSlash) {
    EXPECT_EQ(ShownAddress("https://www.horavel.com/"), "www.horavel.com");
    EXPECT_EQ(ShownAddress("https://www.horavel.com/help/"), "www.horavel.com/help");
    EXPECT_EQ(ShownAddress("www.horavel.com/x"), "www.horavel.com/x");
    EXPECT_EQ(ShownAddress(about::SourcePage), "www.horavel.com/source");
}

}  // namespace

// The settings window grows the page to its dots per inch: the page itself is
// the same picture whatever they are, and the fonts' dots per inch come back.
TEST_F(AboutPanel, PagesAreDrawnAtNinetySixDotsPerInchAndGrowWhenShown) {
    RenderAboutPage(1);
    const std::vector<Colour> at96 = fake::state.images[about::PageImage].pixels;
    platform::SetFontDpi(144);
    RenderAboutPage(1);
    EXPECT_EQ(fake::state.images[about::PageImage].pixels, at96);
    EXPECT_EQ(platform::FontDpi(), 144);
    platform::SetFontDpi(96);
}
