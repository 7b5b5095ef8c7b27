#include "display/layout.h"

#include <algorithm>
#include <string>

#include "app/main_window.h"
#include "app/placement.h"
#include "app/timer_engine.h"
#include "display/dpi_scale.h"
#include "display/fonts.h"
#include "display/readouts.h"
#include "lang/messages.h"
#include "lang/utf8.h"
#include "platform/gadgets.h"
#include "platform/images.h"
#include "platform/window.h"
#include "settings/settings.h"

LayoutState layoutState;
platform::Rect costRect;
platform::Rect clockRect;
platform::Rect timerRect;
EdgeRect timerHitRect;
float fontScale = 1.0f;

namespace {

// The title and bottom strips, at the window's dots per inch like every size below.
int StripHeight() { return Scaled(14); }
constexpr int OutOfView = -25;
constexpr int TimerButtons[] = {gadget::StartPause,  gadget::Preset1,     gadget::Preset1 + 1,
                                gadget::Preset1 + 2, gadget::Preset1 + 3, gadget::Preset5};
constexpr int Chrome[] = {gadget::CostReadout, gadget::ClockReadout,   gadget::TimerReadout, gadget::TopBar,
                          gadget::BottomBar,   gadget::SettingsButton, gadget::Maximize,     gadget::Close,
                          gadget::Grip};

void Place(int g, const platform::Rect& r) { platform::ResizeGadget(g, r.x, r.y, r.width, r.height); }

void MoveKeepingSize(int g, int x, int y) {
    const platform::Rect r = platform::GadgetRect(g);
    platform::ResizeGadget(g, x, y, r.width, r.height);
}

// A readout too small to draw gets an empty rectangle and keeps its image.
platform::Rect Readout(int x, int y, int width, int height) { return {x, y, std::max(0, width), std::max(0, height)}; }

void PlaceReadout(int g, int image, const platform::Rect& r) {
    platform::ResizeImage(image, r.width, r.height, platform::Resample::Smooth);
    Place(g, r);
}

void PlaceTitleStrip(int W, int& x, int& y) {
    if (settings.ShowWinBorder == 0) {
        const int strip = StripHeight(), button = Scaled(12);
        platform::ResizeGadget(gadget::TopBar, 0, 0, W, strip);
        platform::ResizeGadget(gadget::Logo, 0, 0, strip, strip);
        if (W < Scaled(40))
            platform::ResizeGadget(gadget::Maximize, OutOfView, OutOfView, button, button);
        else
            platform::ResizeGadget(gadget::Maximize, W - Scaled(25), Scaled(1), button, button);
        platform::ResizeGadget(gadget::Close, W - Scaled(13), Scaled(1), button, button);
        SetGadgetImage(gadget::TopBar, image::Strip);
        SetGadgetImage(gadget::Logo, image::Logo);
        SetGadgetImage(gadget::Maximize, image::Maximize);
        SetGadgetImage(gadget::Close, image::Close);
        x = 1;
        y = strip;
    } else {
        platform::ResizeGadget(gadget::TopBar, OutOfView, OutOfView, 0, 0);
        MoveKeepingSize(gadget::Logo, OutOfView, OutOfView);
        MoveKeepingSize(gadget::Maximize, OutOfView, OutOfView);
        MoveKeepingSize(gadget::Close, OutOfView, OutOfView);
        x = 1;
        y = 1;
    }
}

void HideTimerButtons() {
    for (int g : TimerButtons) platform::ResizeGadget(g, 0, 0, 0, 0);
}

void LayOutBreak(int W, int H, int x, int y) {
    // The break fills the window with one readout.
    layoutState.columns = 1;
    const int tw = W - x - 1;
    platform::SetGadgetText(gadget::StartPause, Message(106));
    const int width = Scaled(200), height = Scaled(20);
    platform::ResizeGadget(gadget::StartPause, (tw - width) / 2, y, width, height);
    y += height;
    timerRect = Readout(x, y, tw, H - y - StripHeight());
    PlaceReadout(gadget::TimerReadout, image::TimerReadout, timerRect);
    timerHitRect = {timerRect.x, timerRect.y, timerRect.x + timerRect.width, timerRect.y + timerRect.height};
    for (int g = gadget::Preset1; g <= gadget::Preset5; ++g) platform::ResizeGadget(g, 0, 0, 0, 0);
    MoveKeepingSize(gadget::CostReadout, W, 0);
    MoveKeepingSize(gadget::ClockReadout, W, 0);
}

void LayOutCost(int W, int H, int x, int& y) {
    if (settings.ShowCostCounter != 1) {
        MoveKeepingSize(gadget::CostReadout, W, 0);
        return;
    }
    // The widest cost worth planning for: 240 hours of one person.
    const std::string sample = settings.CostCurrency + std::to_string(HourlyRate() * 864000 / 3600);
    const double request = CostFontRequest(fontScale, ColumnWidth(), CharacterCount(sample));
    LoadReadoutFont(font::Cost, static_cast<int>(request), true);
    int h1 = 0;
    if (platform::StartDrawing(image::CostReadout)) {
        platform::DrawingFont(font::Cost);
        h1 = platform::TextHeight(sample);
        platform::StopDrawing();
    }
    const CostFont fitted = FitCostFont(request, h1, H);
    if (fitted.height != h1) LoadReadoutFont(font::Cost, fitted.points, true);
    costRect = Readout(x, y, W / layoutState.columns - 2, fitted.height);
    PlaceReadout(gadget::CostReadout, image::CostReadout, costRect);
    y += costRect.height;
}

void LayOutClock(int W, int H, int x, int& y) {
    if (settings.ShowMeetingClock != 1) {
        MoveKeepingSize(gadget::ClockReadout, W, 0);
        return;
    }
    y += 1;
    // Sharing the height with the timer, the clock leaves the timer's buttons a row.
    const int hc = settings.ShowTimer == 1 && layoutState.columns == 1 ? (H - y - StripHeight() - Scaled(20)) / 2
                                                                       : H - y - StripHeight();
    clockRect = Readout(x, y, W / layoutState.columns - 2, hc);
    PlaceReadout(gadget::ClockReadout, image::ClockReadout, clockRect);
    y += clockRect.height;
}

void LayOutTimer(int W, int H, int x, int y) {
    if (settings.ShowTimer != 1) {
        HideTimerButtons();
        timerRect = {W, H, 0, 0};
        Place(gadget::TimerReadout, timerRect);
        timerHitRect = {W, H, W, H};
        return;
    }
    if (layoutState.columns == 2) {
        x = W / 2;
        y = settings.ShowWinBorder == 1 ? 1 : StripHeight();
    } else if (settings.ShowCostCounter == 1 || settings.ShowMeetingClock == 1) {
        y += 1;
    }
    const ButtonArrangement arrangement = ArrangeTimerButtons(x, y, W, layoutState.columns, windowDpi);
    for (int i = 0; i < 6; ++i) Place(TimerButtons[i], arrangement.buttons[i]);
    y += arrangement.advance;
    timerRect = Readout(x, y, W - x - 1, H - y - StripHeight());
    PlaceReadout(gadget::TimerReadout, image::TimerReadout, timerRect);
    timerHitRect = {timerRect.x, timerRect.y, timerRect.x + timerRect.width, timerRect.y + timerRect.height};
}

void PlaceBottomStrip(int W, int H) {
    const int strip = StripHeight();
    platform::ResizeGadget(gadget::BottomBar, 0, H - strip, W, strip);
    SetGadgetImage(gadget::BottomBar, image::Strip);
    platform::ResizeGadget(gadget::SettingsButton, Scaled(2), H - Scaled(13), Scaled(12), Scaled(12));
    SetGadgetImage(gadget::SettingsButton, image::Settings);
    if (platform::GetWindowState() == platform::WindowState::Normal && settings.ShowWinBorder == 0)
        platform::ResizeGadget(gadget::Grip, W - strip, H - strip, strip, strip);
    else
        MoveKeepingSize(gadget::Grip, OutOfView, OutOfView);
    SetGadgetImage(gadget::Grip, image::Grip);
}

}  // namespace

int ChooseColumns(int clientWidth, int clientHeight, int showMeetingClock, int showTimer) {
    return clientHeight / 2 < clientWidth && showMeetingClock != 0 && showTimer != 0 ? 2 : 1;
}

ButtonArrangement ArrangeTimerButtons(int x, int y, int clientWidth, int columns, int dpi) {
    ButtonArrangement a;
    auto at = [dpi](int designPixels) { return ScaleToDpi(designPixels, dpi); };
    const int b = clientWidth / columns;
    const int L = clientWidth - x - 1;
    // Rows of n buttons of height h; the last of a row takes what division leaves.
    auto rows = [&](int perRow, int h) {
        for (int i = 0; i < 6; ++i) {
            const int row = i / perRow, col = i % perRow;
            const int w = L / perRow;
            const int width = col == perRow - 1 ? L - (perRow - 1) * w : w;
            a.buttons[i] = {x + col * w, y + row * h, width, h};
        }
        a.advance = (6 / perRow) * h;
    };
    // The second division by columns is deliberate: in two columns the
    // thresholds apply to a quarter of the client width.
    // The thresholds are room for the captions, which grow with the dots per inch.
    if (b <= at(40))
        rows(1, at(16));
    else if (b / columns < at(150))
        rows(2, at(16));
    else if (b / columns < at(260))
        rows(3, at(16));
    else
        rows(6, at(20));
    return a;
}

void CalibrateFontScale() {
    LoadReadoutFont(font::Cost, 10, true);
    LoadReadoutFont(font::Clock, 60, true);
    if (!platform::StartDrawingOnWindow()) return;
    const std::string sample = "123qwertyw";
    platform::DrawingFont(font::Cost);
    const int w10 = platform::TextWidth(sample);
    platform::DrawingFont(font::Clock);
    const int w60 = platform::TextWidth(sample);
    platform::StopDrawing();
    // Ten characters over a 50-point difference. A surface that measures
    // nothing keeps the previous scale rather than dividing by zero.
    if (w60 > w10) fontScale = 500.0f / static_cast<float>(w60 - w10);
}

void LayoutReadouts(int hideForMove) {
    for (int g : Chrome) platform::ShowGadget(g, hideForMove == 0);
    for (int g : TimerButtons) platform::ShowGadget(g, hideForMove == 0);
    platform::ShowGadget(gadget::Logo, true);
    if (hideForMove == 1) return;

    if (CatchUpWindowDpi()) layoutState.relayoutRequested = 1;
    const int W = platform::WindowInnerWidth();
    const int H = platform::WindowInnerHeight();
    if (layoutState.relayoutRequested == 0 && W == layoutState.lastClientWidth && H == layoutState.lastClientHeight)
        return;
    ApplyWindowModes(platform::GetWindowState());
    layoutState.lastClientWidth = W;
    layoutState.lastClientHeight = H;

    platform::ResizeImage(image::Strip, W, StripHeight(), platform::Resample::Nearest);
    int x = 0, y = 0;
    PlaceTitleStrip(W, x, y);

    if (layoutState.toolTipsOn) SetReadoutToolTips();
    if (InBreak()) {
        LayOutBreak(W, H, x, y);
    } else {
        layoutState.columns = ChooseColumns(W, H, settings.ShowMeetingClock, settings.ShowTimer);
        LayOutCost(W, H, x, y);
        LayOutClock(W, H, x, y);
        LayOutTimer(W, H, x, y);
    }
    PlaceBottomStrip(W, H);
    RefreshReadouts();
}

void SetReadoutToolTips() {
    for (int g : {gadget::TimerReadout, gadget::ClockReadout, gadget::CostReadout})
        platform::SetGadgetToolTip(g, InBreak() ? std::string() : Message(198));
}

int BarLength() { return timerRect.height; }

double ColumnWidth() {
    return static_cast<double>(layoutState.lastClientWidth) / std::max(1, layoutState.columns);
}
