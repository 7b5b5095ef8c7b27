// The settings window's About tab: its drawn pages, turned with ">" and "<".
#include <string>
#include <vector>

#include "tests/e2e/case_support.h"

#include <commctrl.h>

namespace {

constexpr int kTabs = 3;
// Control numbers of the About tab.
constexpr int kHome = 600;
constexpr int kPrevious = 601;
constexpr int kNext = 602;
constexpr int kPicture = 603;

constexpr std::uint32_t kFrameGrey = 0x969696;
constexpr std::uint32_t kGold = 0xFFDD00;

// The page area inside the picture (x, y, width, height): what changes from
// page to page, clear of the buttons.
constexpr RECT kPageArea{148, 23, 148 + 234, 23 + 160};

e2e::Pixels Crop(const e2e::Pixels& from, const RECT& r) {
    e2e::Pixels out;
    out.width = r.right - r.left;
    out.height = r.bottom - r.top;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            out.rgb.push_back(x >= 0 && y >= 0 && x < from.width && y < from.height ? from.At(x, y) : 0);
    return out;
}

e2e::Pixels PageArea(HWND picture) { return Crop(e2e::CaptureClient(picture), kPageArea); }

// Polls until the page area differs from `before` and holds still between two
// looks (a page caught half painted would spoil the comparisons later on).
bool WaitForNewPage(HWND picture, const e2e::Pixels& before, e2e::Pixels& now) {
    e2e::Pixels last;
    for (int waited = 0; waited <= 5000; waited += 100) {
        now = PageArea(picture);
        if (now.rgb != before.rgb && now.rgb == last.rgb) return true;
        last = now;
        e2e::Pause(100);
    }
    return false;
}

// Saves the settings window, frame included, as <screenshot folder>\<name>.bmp.
void SaveWindowShot(HWND window, const std::string& name) {
    const std::string folder = e2e::EnvironmentValue("HORAVEL_SCREENSHOTS");
    if (folder.empty()) return;
    CHECK(e2e::SaveBmp(Crop(e2e::CaptureScreen(), e2e::WindowRect(window)), folder + "\\" + name + ".bmp"),
          "screenshot " + name + " saved");
}

// Turns from the first tab back to the last, "About", as a keyboard user does
// (the window opens with the focus on its tabs). A key pressed before the new
// window has the keyboard is lost, so the keys go again while the first tab is
// still selected. True once the picture shows.
bool SelectAboutTab(HWND settings, HWND& picture) {
    HWND tabs = e2e::FindChild(settings, kTabs).hwnd;
    for (int waited = 0; waited <= 10000; waited += 100) {
        // Backwards from the first tab: the last ("Stage View"), then "About".
        const LRESULT tab = SendMessageW(tabs, TCM_GETCURSEL, 0, 0);
        if (GetForegroundWindow() == settings && (tab == 0 || tab == 6) && waited % 500 == 0)
            e2e::PressKeyWith({VK_CONTROL, VK_SHIFT}, VK_TAB);
        picture = e2e::FindChild(settings, kPicture).hwnd;
        if (picture && IsWindowVisible(picture)) return true;
        e2e::Pause(100);
    }
    return false;
}

}  // namespace

E2E_CASE(about_tab_turns_its_pages) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    HWND settings = nullptr, picture = nullptr;
    if (window) {
        // The main window may still be coming up: press again until the settings window shows.
        for (int attempt = 0; !settings && attempt < 3; ++attempt) {
            e2e::PressGadget(window, 35);
            settings = e2e::WaitForWindow("Horavel Settings", program.id, 5000);
        }
        CHECK(settings != nullptr, "the settings button opens \"Horavel Settings\"");
    }
    if (settings && CHECK(SelectAboutTab(settings, picture), "the About tab shows its picture")) {
        for (int id : {kHome, kPrevious, kNext})
            CHECK(IsWindowVisible(e2e::FindChild(settings, id).hwnd), "button " + std::to_string(id) + " shows");
        // Page 0 opens; ">" eight times runs through 1 to 7 and back to 0.
        std::vector<e2e::Pixels> pages(1);
        CHECK(WaitForNewPage(picture, e2e::Pixels{}, pages[0]), "page 0 is shown");
        SaveWindowShot(settings, "about_page_0");
        const e2e::Pixels whole = e2e::CaptureClient(picture);
        CHECK(whole.width >= 395 && whole.height >= 254, "the picture is 395 x 254");
        if (whole.width >= 395 && whole.height >= 254) {
            CHECK(whole.At(0, 0) == kFrameGrey && whole.At(394, 253) == kFrameGrey, "the grey frame");
            CHECK(whole.At(148, 100) == kGold && whole.At(381, 23) == kGold, "the page area's gold frame");
            const std::uint32_t silver = whole.At(165, 100);
            CHECK((silver & 0xFF) >= 220 && silver == (silver & 0xFF) * 0x010101, "page 0's silver backdrop");
        }
        HWND next = e2e::FindChild(settings, kNext).hwnd, previous = e2e::FindChild(settings, kPrevious).hwnd;
        for (int turn = 1; turn <= 8; ++turn) {
            e2e::Pixels now;
            e2e::ClickWindow(next);
            CHECK(WaitForNewPage(picture, pages.back(), now), "\">\" turns to page " + std::to_string(turn % 8));
            SaveWindowShot(settings, "about_page_" + std::to_string(turn % 8) + (turn == 8 ? "_again" : ""));
            pages.push_back(now);
        }
        for (int a = 0; a < 8; ++a)
            for (int b = a + 1; b < 8; ++b)
                CHECK(pages[a].rgb != pages[b].rgb, "pages " + std::to_string(a) + " and " + std::to_string(b) + " differ");
        CHECK(pages[8].rgb == pages[0].rgb, "the eighth \">\" wraps round to page 0");
        // "<" on page 0 wraps back to page 7.
        e2e::Pixels back;
        e2e::ClickWindow(previous);
        CHECK(WaitForNewPage(picture, pages[8], back), "\"<\" turns the page");
        CHECK(back.rgb == pages[7].rgb, "\"<\" on page 0 shows page 7");
        SaveWindowShot(settings, "about_page_7_again");
        // The buttons stay painted over the picture, whose black lies under them.
        for (int id : {kHome, kPrevious, kNext}) {
            const e2e::Pixels face = e2e::CaptureClient(e2e::FindChild(settings, id).hwnd);
            std::size_t black = 0;
            for (std::uint32_t pixel : face.rgb) black += pixel == 0;
            CHECK(!face.rgb.empty() && black < face.rgb.size() / 2,
                  "button " + std::to_string(id) + " is painted over the picture");
        }
    }
    e2e::StopProgram(program);
    return e2e::Result();
}
