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
#include "lang/messages.h"
#include "platform/gadgets.h"
#include "platform/window.h"
#include "settings/settings.h"
#include "timekeeping/time_values.h"

namespace {

using platform::Colour;
using platform::Rgb;
using readout::CeilSeconds;
using readout::Fill;

// Taskbar progress states.
constexpr int TaskbarNone = 0;
constexpr int TaskbarIndeterminate = 1;
constexpr int TaskbarNormal = 2;
constexpr int TaskbarError = 4;
constexpr int TaskbarPaused = 8;

struct Palette {
    Colour background, text, finish, warning, progress;
};
constexpr Palette runningPalette{Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(255, 0, 0), Rgb(255, 255, 0),
                                 Rgb(0, 150, 0)};
constexpr Palette pausedPalette{Rgb(20, 20, 20), Rgb(200, 200, 200), Rgb(50, 50, 50), Rgb(175, 175, 175),
                                Rgb(75, 75, 75)};
// The schemes of the 3D look, for a running timer only.
constexpr int BackgroundScheme = 10, FinishScheme = 4, WarningScheme = 6, ProgressScheme = 0;
constexpr int CountUpScheme = 5, TealScheme = 2;

std::int64_t ElapsedMs() { return static_cast<std::int32_t>(timerState.sampleTick - timerState.startTick); }
std::int64_t DurationDivisor() { return timerState.durationMs == 0 ? 1 : timerState.durationMs; }

// The progress boundary: the fill shrinks from the top as time passes.
int Boundary(int th) {
    return static_cast<int>(std::clamp<std::int64_t>(th * ElapsedMs() / DurationDivisor(), -1000000, 1000000));
}

bool Even(std::int32_t n) { return n % 2 == 0; }

// Where a count-down stands. Blinking is locked to the whole seconds of the
// remaining time, rounded up: one second lit, one second not.
struct Phase {
    bool finished;    // past zero, shown red
    bool finishLit;   // the red is on in this second
    bool warningLit;  // shown yellow in this second
};
Phase CountDownPhase() {
    const std::int32_t r = RemainingMs();
    const bool evenSecond = Even(CeilSeconds(r));
    return {r <= 0 && settings.FinishRed == 1, settings.FinishBlink == 0 || evenSecond,
            r <= timerState.warningMs && settings.WarningYellow == 1 && (settings.WarningBlink == 0 || evenSecond)};
}

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
    const Phase phase = CountDownPhase();
    if (phase.finished) return {phase.finishLit ? TaskbarError : TaskbarNone, 100};
    // The bar shrinks from 100 to 0 and stays empty in overtime.
    const std::int64_t value = std::clamp<std::int64_t>(
        100 - static_cast<std::int64_t>(static_cast<double>(ElapsedMs()) * 100 / DurationDivisor()), 0, 100);
    if (timerState.paused == 1) return {TaskbarIndeterminate, value};
    return {phase.warningLit ? TaskbarPaused : TaskbarNormal, value};
}

namespace readout {

void DrawCountDown() {
    const bool paused = timerState.paused == 1;
    const bool shaded = settings.Mode3D == 1 && !paused;
    const Palette& p = paused ? pausedPalette : runningPalette;
    const Phase phase = CountDownPhase();
    const TaskbarProgress progress = CountDownProgress();

    if (OpenTimerImage()) {
        const int tw = timerRect.width, th = timerRect.height;
        const std::string text = FormatDuration(RemainingMs(), layoutState.lastClientWidth);
        platform::DrawingFont(font::Text);
        const int h = platform::TextHeight(text);
        int y = Boundary(th);
        Colour colour = p.text;
        if (phase.finished) {
            y = (th - h) / 2;
            if (phase.finishLit)
                Fill(0, 0, tw, th, p.finish, FinishScheme, shaded);
            else
                Fill(0, 0, tw, th, p.background, BackgroundScheme, shaded);
        } else {
            // Every row is drawn once: the background above the progress, the progress below.
            const int drained = std::clamp(y, 0, th);
            if (phase.warningLit) {
                Fill(0, 0, tw, drained, p.warning, WarningScheme, shaded);
                colour = Rgb(0, 0, 0);
            } else {
                Fill(0, 0, tw, drained, p.background, BackgroundScheme, shaded);
            }
            Fill(0, y, tw, th - y, p.progress, ProgressScheme, shaded);
            y -= static_cast<int>(0.94 * h);
        }
        DrawTimerText(text, KeepInside(y, h, th), colour);
        ShowTimerImage();
        shownTimerText = text;
    }
    UpdateTaskbarProgress(progress.state, progress.value);
    CheckAlerts();
}

void DrawCountUp() {
    if (!OpenTimerImage()) return;
    const bool paused = timerState.paused == 1;
    const int tw = timerRect.width, th = timerRect.height;
    const std::string text = FormatDuration(SaturateMs(std::abs(ElapsedMs())), layoutState.lastClientWidth);
    platform::DrawingFont(font::Text);
    const int y = (th - platform::TextHeight(text)) / 2;
    if (paused)
        platform::FillBox({0, 0, tw, th}, Rgb(75, 75, 75));
    else
        Fill(0, 0, tw, th, Rgb(150, 0, 150), CountUpScheme, settings.Mode3D == 1);
    const Colour colour = paused ? Rgb(200, 200, 200) : Rgb(255, 255, 255);
    platform::DrawTextAt(CentredX(platform::TextWidth(text)), y, text, colour);
    ShowTimerImage();
    shownTimerText = text;
}

void DrawBreakReadout() {
    const TimerState& t = timerState;
    const std::int32_t r = RemainingMs();
    const int W = layoutState.lastClientWidth;
    std::string text;
    if (r <= 0)
        text = Message(93);
    else if (t.mode == Break)
        text = Message(102) + " " + FormatDuration(r, W);
    else
        text = Message(103) + " " + FormatClock("%hh:%ii", t.startTime + t.durationMs / 1000, W / layoutState.columns) +
               " (" + FormatDuration(r, W) + ")";
    LoadReadoutFont(font::Text, BreakFontPoints(fontScale, ColumnWidth(), t.mode, settings.Clock24hr != 0), true);
    if (!OpenTimerImage()) return;

    const bool shaded = settings.Mode3D == 1;
    const int tw = timerRect.width, th = timerRect.height;
    platform::DrawingFont(font::Text);
    const int h = platform::TextHeight(text);
    // The break blinks on whole seconds whatever the count-down's blink settings say.
    const bool evenSecond = Even(r / 1000);
    int y;
    Colour colour;
    if (r <= 0) {
        y = (th - h) / 2;
        if (evenSecond)
            Fill(0, 0, tw, th, Rgb(255, 0, 0), FinishScheme, shaded);
        else
            Fill(0, 0, tw, th, Rgb(0, 0, 0), BackgroundScheme, shaded);
        colour = Rgb(255, 255, 255);
    } else {
        y = Boundary(th);
        const bool warning = r < t.warningMs && evenSecond;
        const int drained = std::clamp(y, 0, th);
        if (warning)
            Fill(0, 0, tw, drained, Rgb(255, 255, 0), WarningScheme, shaded);
        else
            Fill(0, 0, tw, drained, Rgb(0, 0, 0), BackgroundScheme, shaded);
        Fill(0, y, tw, th - y, Rgb(26, 135, 138), TealScheme, shaded);
        colour = warning ? Rgb(0, 0, 0) : Rgb(255, 255, 255);
        y -= h;
    }
    platform::DrawTextAt(CentredX(platform::TextWidth(text)), KeepInside(y, h, th), text, colour);
    ShowTimerImage();
    shownTimerText = text;
}

}  // namespace readout
