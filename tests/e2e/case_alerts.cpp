// A short count-down's warning and finish as the screen shows them: the flash
// sheet and the popup sign, and the readouts going on underneath.
#include <algorithm>
#include <set>

#include "tests/e2e/case_support.h"

namespace {

// A sheet or a sign stays shown for 100 ms and hidden for at least as long, so
// a window seen shown at two moments less than that apart was shown all along.
// A window shown may take a moment to reach the screen: until it does, the
// readings see the desktop and are taken again.
constexpr DWORD SteadyMs = 95;
constexpr std::uint32_t Desktop = 0x000000;

std::string Hex(std::uint32_t rgb) {
    char text[16];
    snprintf(text, sizeof text, "#%06X", rgb & 0xFFFFFFu);
    return text;
}

int Channel(std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 255); }

std::string Describe(const RECT& r) {
    return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + " at " +
           std::to_string(r.left) + "," + std::to_string(r.top);
}

std::uint64_t Fingerprint(const e2e::Pixels& pixels) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint32_t p : pixels.rgb) h = (h ^ p) * 1099511628211ull;
    return h;
}

struct FlashReading {
    LONG_PTR style = 0, exStyle = 0;
    BYTE alpha = 0;
    DWORD layeredFlags = 0;
    HWND owner = nullptr;
    RECT rect{};
    std::uint32_t pixel = 0;  // on screen, away from the main window
};

struct PopupReading {
    RECT rect{};
    LONG_PTR exStyle = 0;
    e2e::Pixels sign;
};

// One warning or finish: a flash, then a popup.
struct Episode {
    int variant = 0;
    bool wantShots = false;
    bool flashRead = false, popupRead = false;
    FlashReading flash;
    PopupReading popup;
    e2e::Pixels flashShot, popupShot;  // taken while steadily shown, when asked
    std::set<std::uint64_t> readoutsUnderFlash, readoutsUnderPopup;
    DWORD flashFrom = 0, flashTo = 0, popupFrom = 0, popupTo = 0;  // when each window was seen to exist
};

// Whether a window seen shown at `since` is still in that same showing.
bool StillShown(HWND hwnd, DWORD since) { return IsWindowVisible(hwnd) && GetTickCount() - since < SteadyMs; }

// When the window was first seen in its current showing; 0 while it is hidden.
struct Sighting {
    DWORD since = 0;
    // True when a reading may start: shown, and early enough in this showing.
    bool Ready(HWND hwnd) {
        if (!IsWindowVisible(hwnd)) {
            since = 0;
            return false;
        }
        const DWORD now = GetTickCount();
        if (since == 0) since = now;
        return now - since < SteadyMs - 20;
    }
};

void ReadFlash(HWND flash, DWORD since, Episode& e) {
    FlashReading r;
    r.style = GetWindowLongPtrW(flash, GWL_STYLE);
    r.exStyle = GetWindowLongPtrW(flash, GWL_EXSTYLE);
    COLORREF key = 0;
    GetLayeredWindowAttributes(flash, &key, &r.alpha, &r.layeredFlags);
    r.owner = GetWindow(flash, GW_OWNER);
    GetWindowRect(flash, &r.rect);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, 20, 20);
    ReleaseDC(nullptr, screen);
    r.pixel = (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    if (r.pixel == Desktop) return;  // not on the screen yet: read again
    if (!StillShown(flash, since)) return;
    e.flash = r;
    e.flashRead = true;
}

// The first pixel of the sign's top row that differs from the desktop, as a
// point of a picture whose sign starts at origin.
POINT FirstStripe(const e2e::Pixels& sign, POINT origin) {
    for (int x = 0; x < sign.width; ++x)
        if (sign.At(x, 2) != Desktop) return POINT{origin.x + x, origin.y + 2};
    return origin;
}

// A picture for people, kept only when the window was on the screen at the
// probe (a point of the picture). The screen is read in one piece, so a window
// seen there is whole in the picture; a full screen takes longer to read than
// a sheet stays shown, so its showing is not asked to last.
void TakeShot(const RECT& area, POINT probe, e2e::Pixels& shot) {
    e2e::Pixels pixels = e2e::CaptureScreenRect(area.left, area.top, area.right - area.left, area.bottom - area.top);
    if (pixels.width > 0 && pixels.At(probe.x, probe.y) != Desktop) shot = std::move(pixels);
}

void ReadPopup(HWND popup, DWORD since, Episode& e) {
    PopupReading r;
    GetWindowRect(popup, &r.rect);
    r.exStyle = GetWindowLongPtrW(popup, GWL_EXSTYLE);
    r.sign = e2e::CaptureScreenRect(r.rect.left, r.rect.top, r.rect.right - r.rect.left, r.rect.bottom - r.rect.top);
    const bool drawn = std::any_of(r.sign.rgb.begin(), r.sign.rgb.end(),
                                   [&](std::uint32_t p) { return p != r.sign.rgb.front(); });
    if (!drawn) return;  // not on the screen yet: read again
    if (!StillShown(popup, since)) return;
    e.popup = r;
    e.popupRead = true;
}

// The timer readout as the screen shows it, while nothing covers it.
void ReadReadout(HWND window, HWND flash, HWND popup, std::set<std::uint64_t>& seen) {
    const RECT readout = e2e::FindChild(window, 2).rect;
    RECT sign{}, overlap{};
    if (popup && IsWindowVisible(popup) && GetWindowRect(popup, &sign) && IntersectRect(&overlap, &sign, &readout)) return;
    if (flash && IsWindowVisible(flash)) return;
    const e2e::Pixels pixels =
        e2e::CaptureScreenRect(readout.left, readout.top, readout.right - readout.left, readout.bottom - readout.top);
    if (flash && IsWindowVisible(flash)) return;  // the sheet came meanwhile
    seen.insert(Fingerprint(pixels));
}

// Watches one warning or finish from its flash to the end of its popup.
void Watch(HWND window, DWORD processId, DWORD timeoutMs, Episode& e) {
    bool popupCame = false;
    Sighting flashSighting, popupSighting;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs;) {
        HWND flash = e2e::ProgramWindowOfClass(L"HoravelFlash", processId);
        HWND popup = e2e::ProgramWindowOfClass(L"HoravelPopup", processId);
        const DWORD now = GetTickCount();
        if (flash) {
            if (e.flashFrom == 0) e.flashFrom = now;
            e.flashTo = now;
            if (flashSighting.Ready(flash)) {
                if (!e.flashRead) ReadFlash(flash, flashSighting.since, e);
                // In the showing just read: the sheet shows three times only.
                if (e.flashRead && e.wantShots && e.flashShot.width == 0) {
                    const RECT all{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
                    TakeShot(all, POINT{20, 20}, e.flashShot);
                }
            }
            ReadReadout(window, flash, nullptr, e.readoutsUnderFlash);
        }
        if (popup) {
            popupCame = true;
            if (e.popupFrom == 0) e.popupFrom = now;
            e.popupTo = now;
            if (popupSighting.Ready(popup)) {
                if (!e.popupRead) {
                    ReadPopup(popup, popupSighting.since, e);
                } else if (e.wantShots && e.popupShot.width == 0) {
                    const RECT around{e.popup.rect.left - 250, e.popup.rect.top - 100, e.popup.rect.right + 250,
                                      e.popup.rect.bottom + 100};
                    // The left end of the sign's top stripe band, never the desktop's colour.
                    TakeShot(around, FirstStripe(e.popup.sign, POINT{250, 100}), e.popupShot);
                }
            }
            ReadReadout(window, nullptr, popup, e.readoutsUnderPopup);
        } else if (popupCame) {
            e2e::Log("the flash lasted " + std::to_string(e.flashTo - e.flashFrom) + " ms, the popup " +
                     std::to_string(e.popupTo - e.popupFrom) + " ms");
            return;
        }
        Sleep(1);
    }
}

void CheckFlash(const Episode& e, HWND window) {
    const std::string name = e.variant == 1 ? "warning" : "finish";
    if (!CHECK(e.flashRead, "the " + name + " flash is seen steadily on screen")) return;
    const FlashReading& f = e.flash;
    CHECK((f.style & WS_DISABLED) && (f.style & WS_POPUP) && !(f.style & (WS_CAPTION | WS_THICKFRAME)),
          "the flash window is borderless and disabled");
    CHECK(f.exStyle == (WS_EX_LAYERED | WS_EX_TOPMOST),
          "the flash's extended style is exactly layered (and top-most), not " + Hex(static_cast<std::uint32_t>(f.exStyle)));
    CHECK(f.alpha == 180 && (f.layeredFlags & LWA_ALPHA),
          "the flash is layered with opacity 180, not " + std::to_string(f.alpha));
    CHECK(f.owner == window, "the flash window is owned by the main window");
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT covered{};
    IntersectRect(&covered, &f.rect, &screen);
    CHECK(EqualRect(&covered, &screen), "the flash covers the screen: " + Describe(f.rect));
    // Drawn opaque where nothing composites the layered window, blended where something does.
    const int r = Channel(f.pixel, 16), g = Channel(f.pixel, 8), b = Channel(f.pixel, 0);
    const bool colourOk = e.variant == 1 ? r > 150 && g > 150 && b < r - 100 : r > 150 && g < r - 100 && b < r - 100;
    CHECK(colourOk, "the screen under the " + name + " flash is " + (e.variant == 1 ? "yellow" : "red") + ", not " +
                        Hex(f.pixel));
}

void CheckPopup(const Episode& e) {
    const std::string name = e.variant == 1 ? "warning" : "finish";
    if (!CHECK(e.popupRead, "the " + name + " popup is seen steadily on screen")) return;
    const PopupReading& p = e.popup;
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    const RECT expected{(sw - 300) / 2, (sh - 100) / 2, (sw - 300) / 2 + 300, (sh - 100) / 2 + 100};
    CHECK(EqualRect(&p.rect, &expected), "the popup is 300 x 100 centred on the screen, not " + Describe(p.rect));
    CHECK(p.exStyle & WS_EX_TOPMOST, "the popup is top-most");
    if (p.sign.width != 300 || p.sign.height != 100) return;
    const std::uint32_t background = e.variant == 1 ? 0x000000u : 0xFF0000u;
    const std::uint32_t stripes = e.variant == 1 ? 0xFFFF00u : 0xFFFFFFu;
    // Above the panel: stripes and background in about equal parts.
    int stripe = 0, plain = 0;
    for (int y = 2; y < 23; ++y)
        for (int x = 2; x < 298; ++x) {
            stripe += p.sign.At(x, y) == stripes;
            plain += p.sign.At(x, y) == background;
        }
    const int band = 21 * 296;
    CHECK(stripe > band / 4 && plain > band / 4,
          "the " + name + " sign's stripes are " + Hex(stripes) + " on " + Hex(background) + " (" +
              std::to_string(stripe) + " and " + std::to_string(plain) + " of " + std::to_string(band) + " pixels)");
    CHECK(p.sign.At(0, 50) == background && p.sign.At(150, 0) == background && p.sign.At(299, 50) == background,
          "the sign's outline is " + Hex(background));
    CHECK(p.sign.At(30, 30) == background && p.sign.At(270, 70) == background,
          "the calm panel is " + Hex(background) + ", not " + Hex(p.sign.At(30, 30)));
    // The white text, centred across the panel.
    int white = 0, left = 300, right = -1;
    for (int y = 25; y < 75; ++y)
        for (int x = 25; x < 275; ++x)
            if (p.sign.At(x, y) == 0xFFFFFFu) {
                ++white;
                left = std::min(left, x);
                right = std::max(right, x);
            }
    CHECK(white > 100, "the " + name + " sign carries white text (" + std::to_string(white) + " pixels)");
    CHECK(std::abs((left + right) / 2 - 150) <= 4,
          "the text is centred: it spans x " + std::to_string(left) + " to " + std::to_string(right));
}

}  // namespace

E2E_CASE(warning_and_finish_flash_and_popup) {
    e2e::Process program;
    CreateDirectoryW(e2e::Widen(e2e::SettingsFolder()).c_str(), nullptr);
    // An 8-second preset warning 5 s before its end, every visual alert on.
    CHECK(e2e::WriteFileBytes(e2e::SettingsFolder() + "HV_Settings.ini",
                              "\xEF\xBB\xBF\r\n[Horavel]\r\nButton1 = 8\r\nWarningTime = -5\r\n"
                              "WarningFlash = 1\r\nWarningPopup = 1\r\nFinishFlash = 1\r\nFinishPopup = 1\r\n"),
          "the settings file is written");
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        e2e::PressGadget(window, 38);
        e2e::PressGadget(window, 37);
        e2e::MoveMouse(10, 10);  // no tool tip over the pictures
        Episode warning;
        warning.variant = 1;
        warning.wantShots = true;
        Watch(window, program.id, 15000, warning);
        CheckFlash(warning, window);
        CheckPopup(warning);
        CHECK(warning.readoutsUnderFlash.size() >= 2 && warning.readoutsUnderPopup.size() >= 2,
              "the timer readout kept changing under the warning's flash (" +
                  std::to_string(warning.readoutsUnderFlash.size()) + " pictures) and popup (" +
                  std::to_string(warning.readoutsUnderPopup.size()) + ")");
        if (warning.flashShot.width > 0) e2e::Screenshot("warning_flash", warning.flashShot);
        if (warning.popupShot.width > 0) e2e::Screenshot("warning_popup", warning.popupShot);

        // The finish repeats every 15 s of overtime: a later one may be read too.
        Episode finish;
        finish.variant = 0;
        finish.wantShots = true;
        for (int event = 0; event < 3 && !(finish.flashRead && finish.popupRead && finish.popupShot.width > 0); ++event)
            Watch(window, program.id, 20000, finish);
        CheckFlash(finish, window);
        CheckPopup(finish);
        if (finish.popupShot.width > 0) e2e::Screenshot("finish_popup", finish.popupShot);
    }
    e2e::StopProgram(program);
    return e2e::Result();
}
