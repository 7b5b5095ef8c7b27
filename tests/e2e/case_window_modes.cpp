// The window's chrome and its on-top mode through maximize and restore: the
// small buttons keep their pictures over the strips, and "Always on top" holds.
#include "tests/e2e/case_support.h"

namespace {

// A 24-bit uncompressed BMP of the source tree as 0x00RRGGBB pixels.
e2e::Pixels LoadBmp(const std::string& path) {
    e2e::Pixels p;
    std::string b;
    if (!e2e::ReadFileBytes(path, b) || b.size() < 54) return p;
    auto u32 = [&b](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
    };
    const std::size_t offset = u32(10);
    const int w = static_cast<int>(u32(18)), h = static_cast<int>(u32(22));
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
    if (w <= 0 || h <= 0 || offset + stride * h > b.size()) return p;
    p.width = w;
    p.height = h;
    for (int y = 0; y < h; ++y) {
        const std::size_t row = offset + stride * static_cast<std::size_t>(h - 1 - y);  // bottom-up
        for (int x = 0; x < w; ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x) * 3;
            const auto blue = static_cast<unsigned char>(b[at]), green = static_cast<unsigned char>(b[at + 1]),
                       red = static_cast<unsigned char>(b[at + 2]);
            p.rgb.push_back(static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 | blue);
        }
    }
    return p;
}

// How many pixels of the gadget on the screen differ from the picture.
int Differences(const e2e::Pixels& screen, const RECT& at, const e2e::Pixels& picture) {
    if (picture.width == 0) return -1;
    int differ = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const int sx = at.left + x, sy = at.top + y;
            if (sx < 0 || sy < 0 || sx >= screen.width || sy >= screen.height ||
                screen.At(sx, sy) != picture.At(x, y))
                ++differ;
        }
    return differ;
}

bool WaitForZoomed(HWND window, bool zoomed) {
    for (int i = 0; i < 50; ++i) {
        if ((IsZoomed(window) != 0) == zoomed) return true;
        e2e::Pause(100);
    }
    return false;
}

// Waits until the layout has put the close button at the client's right edge.
bool WaitForLayout(HWND window) {
    for (int i = 0; i < 50; ++i) {
        const RECT close = e2e::FindChild(window, 34).rect;
        const POINT origin = e2e::ClientToScreenPoint(window, 0, 0);
        if (close.left - origin.x == e2e::ClientRect(window).right - 13) {
            e2e::Pause(300);  // and painted
            return true;
        }
        e2e::Pause(100);
    }
    return false;
}

void CheckButtons(HWND window, const std::string& exePath, const std::string& when) {
    const e2e::Pixels screen = e2e::CaptureScreen();
    const struct {
        int gadget;
        const char* bitmap;
    } buttons[] = {{33, "resources\\chrome\\maximize_normal.bmp"}, {34, "resources\\chrome\\close_normal.bmp"}};
    for (const auto& b : buttons) {
        const e2e::WindowInfo info = e2e::FindChild(window, b.gadget);
        const int differ = Differences(screen, info.rect, LoadBmp(e2e::SourcePath(exePath, b.bitmap)));
        CHECK(info.visible && differ == 0, when + ": button " + std::to_string(b.gadget) + " shows its picture (" +
                                               std::to_string(differ) + " of 144 pixels differ)");
    }
}

bool TopMost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool WaitForTopMost(HWND window, bool topMost) {
    for (int i = 0; i < 30; ++i) {
        if (TopMost(window) == topMost) return true;
        e2e::Pause(100);
    }
    return false;
}

// A visible top-level window of the program other than the main window and tool tips.
HWND OtherWindow(HWND window, DWORD processId) {
    for (HWND w : e2e::TopLevelWindows(processId)) {
        const e2e::WindowInfo info = e2e::DescribeWindow(w);
        if (w != window && info.visible && info.className != "tooltips_class32") return w;
    }
    return nullptr;
}

}  // namespace

E2E_CASE(chrome_buttons_stay_visible_when_maximized) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        e2e::MoveMouse(960, 540);
        e2e::Pause(300);
        CheckButtons(window, exePath, "docked");
        for (int round = 0; round < 2; ++round) {
            e2e::PressGadget(window, 33);
            e2e::MoveMouse(960, 540);  // off the buttons, which move with the layout
            const bool maximized = round == 0;
            CHECK(WaitForZoomed(window, maximized), maximized ? "button 33 maximizes" : "button 33 restores");
            CHECK(WaitForLayout(window), "the layout follows");
            CheckButtons(window, exePath, maximized ? "maximized" : "restored");
            if (!maximized) break;
            e2e::Screenshot("maximized_chrome");
            // No copy of the size grip is left on the bottom strip: from the
            // settings button on, every column shows the strip's bands.
            const e2e::Pixels strip = LoadBmp(e2e::SourcePath(exePath, "resources\\chrome\\strip.bmp"));
            const e2e::Pixels client = e2e::CaptureClient(window);
            int stale = 0;
            for (int x = 16; x < client.width && strip.width > 0; ++x)
                for (int y = 0; y < 14; ++y)
                    if (client.At(x, client.height - 14 + y) != strip.At(0, y)) ++stale;
            CHECK(strip.width > 0 && stale == 0,
                  "the maximized bottom strip shows only its bands (" + std::to_string(stale) + " pixels differ)");
        }
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(always_on_top_holds_through_maximize_and_settings) {
    e2e::Process program;
    CreateDirectoryW(e2e::Widen(e2e::SettingsFolder()).c_str(), nullptr);
    CHECK(e2e::WriteFileBytes(e2e::SettingsFolder() + "HV_Settings.ini",
                              "\xEF\xBB\xBF\r\n[Horavel]\r\nAlwaysOnTop = 1\r\nStartupLocation = 3\r\n"),
          "the settings file is written");
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        CHECK(WaitForTopMost(window, true), "top-most after the start");
        e2e::PressGadget(window, 33);
        e2e::MoveMouse(960, 540);
        CHECK(WaitForZoomed(window, true), "button 33 maximizes");
        CHECK(WaitForTopMost(window, false), "not top-most while maximized");
        e2e::PressGadget(window, 33);
        CHECK(WaitForZoomed(window, false), "button 33 restores");
        CHECK(WaitForTopMost(window, true), "top-most again after the restore");

        // The settings command drops the mode while its window is open and
        // applies it again when that closes (at once, without a window).
        e2e::PressGadget(window, 35);
        HWND dialog = nullptr;
        for (int i = 0; i < 20 && !dialog; ++i) {
            dialog = OtherWindow(window, program.id);
            if (!dialog) e2e::Pause(100);
        }
        if (dialog) {
            CHECK(!TopMost(window), "not top-most while the settings window is open");
            SetForegroundWindow(dialog);
            e2e::PressKey(VK_ESCAPE);
            for (int i = 0; i < 50 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) e2e::Pause(100);
            CHECK(!IsWindowVisible(dialog), "Esc closes the settings window");
        }
        CHECK(WaitForTopMost(window, true), "top-most again after the settings command");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}
