// The program on a screen of 144 dots per inch (150 %), beside the same at
// 96: the strip's chrome, its buttons, the popup sign and the settings window
// take the screen's scale; the readout texts keep filling the readouts. The
// runner gives the cases named high_dpi_* a prefix at 144 dots per inch.
#include <algorithm>
#include <cstring>

#include "tests/e2e/settings_window_support.h"

namespace {

using namespace e2e::settings_window;

constexpr int kWarningPopupPreview = 407;
constexpr int kAboutImage = 603;

// Design pixels (at 96 dots per inch) at dpi, as the program rounds them.
int At(int designPixels, int dpi) { return MulDiv(designPixels, dpi, 96); }

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The main window's gadgets and their designed sizes; 0 where the size follows the window.
struct Piece {
    int gadget;
    const char* name;
    int width, height;
};
constexpr Piece kPieces[] = {
    {3, "title strip", 0, 14},   {4, "bottom strip", 0, 14}, {31, "logo", 14, 14},
    {33, "maximize button", 12, 12}, {34, "close button", 12, 12}, {35, "settings button", 12, 12},
    {36, "size grip", 14, 14},   {37, "start/pause button", 0, 16}, {42, "fifth preset", 0, 16},
};

// The rows of the timer readout that hold some of its white text.
int TextRows(HWND readout) {
    const e2e::Pixels p = e2e::CaptureClient(readout);
    int first = -1, last = -1;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const std::uint32_t c = p.At(x, y);
            if ((c >> 16 & 0xFF) >= 200 && (c >> 8 & 0xFF) >= 200 && (c & 0xFF) >= 200) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    }
    return first < 0 ? 0 : last - first + 1;
}

// The popup sign's window while the preview shows it: its size.
SIZE PreviewSign(HWND dialog, DWORD processId) {
    TurnToTab(dialog, 3);
    e2e::ClickWindow(e2e::FindChild(dialog, kWarningPopupPreview).hwnd);
    for (int i = 0; i < 500; ++i) {
        if (HWND sign = e2e::ProgramWindowOfClass(L"HoravelPopup", processId)) {
            const RECT r = e2e::WindowRect(sign);
            return SIZE{r.right - r.left, r.bottom - r.top};
        }
        Sleep(10);
    }
    return SIZE{0, 0};
}

int StripInProportion(const std::string& exePath, const char* shot) {
    const int dpi = ScreenDpi();
    e2e::Log("the screen has " + std::to_string(dpi) + " dots per inch");
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        for (const Piece& p : kPieces) {
            const RECT r = e2e::FindChild(window, p.gadget).rect;
            const int w = r.right - r.left, h = r.bottom - r.top;
            if (p.width) CHECK(w == At(p.width, dpi), std::string(p.name) + " is " + std::to_string(w) + " wide");
            CHECK(h == At(p.height, dpi), std::string(p.name) + " is " + std::to_string(h) + " high");
        }
        // The readout fonts follow the readout's width at any dots per inch: the
        // paused timer's text stands about a fifth of the width high (18 of 91 pixels at 96).
        const e2e::WindowInfo timer = e2e::FindChild(window, 2);
        const int width = timer.rect.right - timer.rect.left, rows = TextRows(timer.hwnd);
        e2e::Log("the timer text is " + std::to_string(rows) + " pixels high in a readout " + std::to_string(width) +
                 " wide");
        CHECK(rows * 100 >= width * 16 && rows * 100 <= width * 23,
              "the timer text is " + std::to_string(rows) + " pixels high in a readout " + std::to_string(width) +
                  " wide");
        e2e::Screenshot(std::string(shot) + "_strip");

        HWND dialog = OpenWithButton(window, program.id);
        if (CHECK(dialog != nullptr, "the settings window opens")) {
            const RECT client = e2e::ClientRect(dialog);
            e2e::Log("the settings window is " + std::to_string(client.right) + " x " + std::to_string(client.bottom));
            CHECK(client.bottom == At(370, dpi) && client.right >= At(428, dpi),
                  "the settings window is " + std::to_string(client.right) + " x " + std::to_string(client.bottom));
            const RECT ok = e2e::FindChild(dialog, kOk).rect;
            CHECK(ok.bottom - ok.top == At(25, dpi) && ok.right - ok.left >= At(80, dpi),
                  "OK is " + std::to_string(ok.right - ok.left) + " x " + std::to_string(ok.bottom - ok.top));
            TurnToTab(dialog, 2);
            e2e::Screenshot(std::string(shot) + "_settings_display");
            // The About page is drawn at 96 and shown grown to the window's dots per inch.
            TurnToTab(dialog, 7);
            const RECT about = e2e::FindChild(dialog, kAboutImage).rect;
            CHECK(about.right - about.left == At(395, dpi) && about.bottom - about.top == At(254, dpi),
                  "the About page is " + std::to_string(about.right - about.left) + " x " +
                      std::to_string(about.bottom - about.top));
            e2e::Screenshot(std::string(shot) + "_settings_about");
            const SIZE sign = PreviewSign(dialog, program.id);
            CHECK(sign.cx == At(300, dpi) && sign.cy == At(100, dpi),
                  "the popup sign is " + std::to_string(sign.cx) + " x " + std::to_string(sign.cy));
            e2e::ClickWindow(e2e::FindChild(dialog, kCancel).hwnd);
            CHECK(WaitClosed(dialog), "Cancel closes the settings window");
        }
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

}  // namespace

E2E_CASE(strip_in_proportion) { return StripInProportion(exePath, "dpi96"); }

E2E_CASE(high_dpi_strip_in_proportion) {
    CHECK(ScreenDpi() == 144, "the prefix has 144 dots per inch, not " + std::to_string(ScreenDpi()));
    return StripInProportion(exePath, "dpi144");
}

// The settings window's texts fit in every language at 150 % as at 100 %.
E2E_CASE(high_dpi_settings_window_texts_fit_every_language) {
    CHECK(ScreenDpi() == 144, "the prefix has 144 dots per inch, not " + std::to_string(ScreenDpi()));
    for (const e2e::Case& c : e2e::Cases())
        if (std::strcmp(c.name, "settings_window_texts_fit_every_language") == 0) return c.run(exePath);
    CHECK(false, "the case settings_window_texts_fit_every_language is there");
    return e2e::Result();
}
