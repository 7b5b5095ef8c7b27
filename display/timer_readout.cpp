// The timer readout: count-down (progress, warning, finish), count-up and break.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/main_window.h"
#include "app/presentation.h"
#include "app/timer_engine.h"
#include "display/fonts.h"
#include "display/layout.h"
#include "display/readout_drawing.h"
#include "display/readouts.h"
#include "display/timer_look.h"
#include "lang/messages.h"
#include "platform/gadgets.h"
#include "platform/window.h"
#include "settings/settings.h"
#include "timekeeping/time_values.h"

namespace {

using platform::Colour;
using platform::Rgb;
using readout::Fill;

// Taskbar progress states.
constexpr int TaskbarNone = 0;
constexpr int TaskbarIndeterminate = 1;
constexpr int TaskbarNormal = 2;
constexpr int TaskbarError = 4;
constexpr int TaskbarPaused = 8;

// The x that centres a text of this width in the timer column.
int CentredX(int width) { return (platform::WindowInnerWidth() - timerRect.x - width) / 2; }

int KeepInside(int y, int textHeight, int th) {
    if (y < 0) y = 0;
    if (y + textHeight > th) y = th - textHeight;
    return y;
}

// Below ten seconds the tenths are smaller and share the digit's baseline.
void DrawTimerText(const std::string& text, int y, Colour colour) {
    platform::DrawingFont(font::Text);
    if (RemainingMs() < 9950 && text.size() == 3 && text[1] == '.') {
        const std::string digit = text.substr(0, 1), tenths = text.substr(1);
        const int digitAscent = platform::TextAscent(), digitWidth = platform::TextWidth(digit);
        platform::DrawingFont(font::Tenths);
        const int tenthsAscent = platform::TextAscent(), tenthsWidth = platform::TextWidth(tenths);
        const int x = CentredX(tenthsWidth + digitWidth);
        platform::DrawingFont(font::Text);
        platform::DrawTextAt(x, y, digit, colour);
        platform::DrawingFont(font::Tenths);
        platform::DrawTextAt(x + digitWidth, y + digitAscent - tenthsAscent, tenths, colour);
    } else {
        platform::DrawTextAt(CentredX(platform::TextWidth(text)), y, text, colour);
    }
}

void ShowTimerImage() {
    platform::StopDrawing();
    platform::SetGadgetImageNumber(gadget::TimerReadout, image::TimerReadout);
}

bool OpenTimerImage() {
    return timerRect.width > 0 && timerRect.height > 0 && platform::StartDrawing(image::TimerReadout);
}

}  // namespace

TaskbarProgress CountDownProgress() {
    const TimerLook look = CurrentTimerLook(layoutState.lastClientWidth);
    if (look.phase == TimerPhase::Finished) return {look.lit ? TaskbarError : TaskbarNone, 100};
    // The bar shrinks from 100 to 0 and stays empty in overtime.
    const std::int64_t value = std::clamp<std::int64_t>(100 - look.elapsedPermille / 10, 0, 100);
    if (look.paused) return {TaskbarIndeterminate, value};
    return {look.phase == TimerPhase::Warning && look.lit ? TaskbarPaused : TaskbarNormal, value};
}

namespace readout {

// Every row is drawn once: the background above the progress boundary, the
// fill below it; a look without fill is one colour.
int FillTimerImage(const TimerLook& look, int tw, int th) {
    if (!look.hasFill) {
        Fill(0, 0, tw, th, look.background, look.backgroundScheme, look.shaded);
        return th;
    }
    const int y = ProgressBoundary(th);
    Fill(0, 0, tw, std::clamp(y, 0, th), look.background, look.backgroundScheme, look.shaded);
    Fill(0, y, tw, th - y, look.fill, look.fillScheme, look.shaded);
    return y;
}

void DrawCountDown() {
    const TaskbarProgress progress = CountDownProgress();
    if (OpenTimerImage()) {
        const int tw = timerRect.width, th = timerRect.height;
        const TimerLook look = CurrentTimerLook(layoutState.lastClientWidth);
        platform::DrawingFont(font::Text);
        const int h = platform::TextHeight(look.text);
        int y = FillTimerImage(look, tw, th);
        y = look.hasFill ? y - static_cast<int>(0.94 * h) : (th - h) / 2;
        DrawTimerText(look.text, KeepInside(y, h, th), look.textColour);
        ShowTimerImage();
        shownTimerText = look.text;
    }
    UpdateTaskbarProgress(progress.state, progress.value);
    CheckAlerts();
}

void DrawCountUp() {
    if (!OpenTimerImage()) return;
    const int tw = timerRect.width, th = timerRect.height;
    const TimerLook look = CurrentTimerLook(layoutState.lastClientWidth);
    platform::DrawingFont(font::Text);
    FillTimerImage(look, tw, th);
    platform::DrawTextAt(CentredX(platform::TextWidth(look.text)), (th - platform::TextHeight(look.text)) / 2,
                         look.text, look.textColour);
    ShowTimerImage();
    shownTimerText = look.text;
}

void DrawBreakReadout() {
    const TimerLook look = CurrentTimerLook(layoutState.lastClientWidth);
    LoadReadoutFont(font::Text,
                    BreakFontPoints(fontScale, ColumnWidth(), timerState.mode, settings.Clock24hr != 0), true);
    if (!OpenTimerImage()) return;
    const int tw = timerRect.width, th = timerRect.height;
    platform::DrawingFont(font::Text);
    const int h = platform::TextHeight(look.text);
    int y = FillTimerImage(look, tw, th);
    y = look.hasFill ? y - h : (th - h) / 2;
    platform::DrawTextAt(CentredX(platform::TextWidth(look.text)), KeepInside(y, h, th), look.text, look.textColour);
    ShowTimerImage();
    shownTimerText = look.text;
}

}  // namespace readout
