#include "display/dpi_scale.h"

#include <cstdlib>

#include "app/main_window.h"
#include "display/layout.h"
#include "platform/images.h"
#include "platform/screen.h"
#include "resources/embedded.h"

int windowDpi = kDesignDpi;

namespace {

struct ChromePicture {
    int image;
    const char* file;
};

// Images 22 to 24 have no picture of their own; the restore button shares the maximize pictures.
constexpr ChromePicture kChromePictures[] = {
    {image::Strip, "resources/chrome/strip.bmp"},
    {image::Settings, "resources/chrome/settings_normal.bmp"},
    {image::Settings + 1, "resources/chrome/settings_hover.bmp"},
    {image::Settings + 2, "resources/chrome/settings_pressed.bmp"},
    {image::Maximize, "resources/chrome/maximize_normal.bmp"},
    {image::Maximize + 1, "resources/chrome/maximize_hover.bmp"},
    {image::Maximize + 2, "resources/chrome/maximize_pressed.bmp"},
    {image::Close, "resources/chrome/close_normal.bmp"},
    {image::Close + 1, "resources/chrome/close_hover.bmp"},
    {image::Close + 2, "resources/chrome/close_pressed.bmp"},
    {image::Grip, "resources/chrome/grip.bmp"},
    {image::Logo, "resources/chrome/logo.bmp"},
};

// Decoded anew at each change, so that going back and forth loses nothing;
// nearest-neighbour keeps the pictures' edges sharp.
void LoadChromePictures() {
    for (const ChromePicture& p : kChromePictures) {
        if (!platform::DecodeBmpImage(p.image, FindEmbeddedResource(p.file))) continue;
        platform::ResizeImage(p.image, Scaled(platform::ImageWidth(p.image)), Scaled(platform::ImageHeight(p.image)),
                              platform::Resample::Nearest);
    }
}

}  // namespace

int ScaleToDpi(int designPixels, int dpi) {
    const long long scaled = static_cast<long long>(designPixels) * dpi;
    const long long half = kDesignDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi : -((-scaled + half) / kDesignDpi));
}

int Scaled(int designPixels) { return ScaleToDpi(designPixels, windowDpi); }

void TakeWindowDpi(int dpi) {
    windowDpi = dpi > 0 ? dpi : kDesignDpi;
    platform::SetFontDpi(windowDpi);
    CalibrateFontScale();  // points per pixel differ with the dots per inch
    LoadChromePictures();
}

bool CatchUpWindowDpi() {
    const int dpi = platform::MainWindowDpi();
    if (dpi == windowDpi) return false;
    TakeWindowDpi(dpi);
    return true;
}

void FollowDpiChange() {
    layoutState.relayoutRequested = 1;
    if (!mainLoop.inSizeMove) LayoutReadouts(0);
}
