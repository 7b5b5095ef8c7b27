#include "display/alerts.h"

#include <atomic>
#include <cmath>
#include <system_error>
#include <thread>

#include "app/monitors.h"
#include "app/timer_engine.h"
#include "display/dpi_scale.h"
#include "display/readouts.h"
#include "lang/messages.h"
#include "platform/alert_windows.h"
#include "platform/images.h"

namespace {

// The sign is drawn in these slots and then handed to its window.
constexpr int SignImage = 60;
constexpr int SignFont = 20;

constexpr int FlashOpacity = 180;

// A popup preview running on its own thread; at most one at a time.
std::thread previewThread;
std::atomic<bool> previewOnScreen{false};

// The readouts go on refreshing under an alert only when they refresh more than
// once a second; a slower readout would not visibly move in that time.
void KeepReadoutsAlive() {
    if (timerState.refreshMs < 1000) RefreshReadouts();
}

int Centred(int room, int size) { return static_cast<int>(std::floor((room - size) / 2.0)); }

platform::DetachedImage DrawSign(int variant) {
    using platform::Rgb;
    const bool warning = variant == 1;
    const platform::Colour background = warning ? Rgb(0, 0, 0) : Rgb(255, 0, 0);
    const platform::Colour stripes = warning ? Rgb(255, 255, 0) : Rgb(255, 255, 255);
    // Designed 300 x 100 pixels at 96 dots per inch; drawn at the main
    // window's, whose monitor shows it. The font's points grow by themselves.
    const int width = Scaled(300), height = Scaled(100), edge = Scaled(1);
    if (!platform::CreateImage(SignImage, width, height)) return 0;
    platform::LoadFont(SignFont, "Arial", 18, true);
    if (platform::StartDrawing(SignImage)) {
        platform::FillBox({0, 0, width, height}, background);
        // Diagonal stripes rising to the right at 45 degrees; they start and end
        // beyond the image, so their ends never show.
        for (int x = -200; x <= 300; x += 20)
            platform::DrawLine(Scaled(x), Scaled(110), Scaled(x + 120), Scaled(-10), stripes, Scaled(8));
        platform::FillBox({Scaled(25), Scaled(25), Scaled(250), Scaled(50)}, background);
        for (const platform::Rect& side : {platform::Rect{0, 0, width, edge}, platform::Rect{0, height - edge, width, edge},
                                           platform::Rect{0, 0, edge, height}, platform::Rect{width - edge, 0, edge, height}})
            platform::FillBox(side, background);
        const std::string text = Message(warning ? 92 : 93);
        platform::DrawingFont(SignFont);
        platform::DrawTextAt(Centred(width, platform::TextWidth(text)), Centred(height, platform::TextHeight(text)), text,
                             Rgb(255, 255, 255));
        platform::StopDrawing();
    }
    platform::FreeFont(SignFont);
    return platform::DetachImage(SignImage);
}

// Three openings of the sign on that monitor; the readouts are refreshed only
// on the user-interface thread, which owns them.
void ShowSign(platform::DetachedImage sign, const platform::Rect& screen, bool onUiThread) {
    const platform::AlertWindow popup = platform::OpenPopupWindow(sign, screen);
    if (!popup) return;
    for (int i = 0; i < 3; ++i) {
        platform::AnimatePopupWindow(popup, true, 100);
        platform::AlertWait(100);
        if (onUiThread) KeepReadoutsAlive();
        platform::AnimatePopupWindow(popup, false, 300);
        if (onUiThread) KeepReadoutsAlive();
    }
    platform::CloseAlertWindow(popup);
}

}  // namespace

void ScreenFlash(int variant) {
    timerState.alertBusy = 1;
    const platform::Colour colour = variant == 1 ? platform::Rgb(255, 255, 0) : platform::Rgb(255, 0, 0);
    if (const platform::AlertWindow flash = platform::OpenFlashWindow(colour, FlashOpacity, AlertScreen())) {
        for (int i = 0; i < 3; ++i) {
            platform::ShowFlashWindow(flash, false);
            platform::AlertWait(100);
            KeepReadoutsAlive();
            platform::ShowFlashWindow(flash, true);
            platform::AlertWait(100);
            KeepReadoutsAlive();
        }
        platform::CloseAlertWindow(flash);
    }
    timerState.alertBusy = 0;
}

void AlertPopup(int variant) {
    timerState.alertBusy = 1;
    ShowSign(DrawSign(variant), AlertScreen(), true);
    timerState.alertBusy = 0;
}

void PreviewAlertPopup(int variant) {
    if (previewOnScreen) return;
    WaitForAlertPreview();  // the last preview has ended: only its thread is left to collect
    // Drawn here: the images, fonts and the drawing surface belong to this thread.
    const platform::DetachedImage sign = DrawSign(variant);
    const platform::Rect screen = AlertScreen();
    previewOnScreen = true;
    try {
        previewThread = std::thread([sign, screen] {
            ShowSign(sign, screen, false);
            previewOnScreen = false;
        });
    } catch (const std::system_error&) {
        // No thread to be had: the preview still shows, only the caller waits for it.
        ShowSign(sign, screen, false);
        previewOnScreen = false;
    }
}

void WaitForAlertPreview() {
    if (previewThread.joinable()) previewThread.join();
}
