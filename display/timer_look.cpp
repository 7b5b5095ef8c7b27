#include "display/timer_look.h"

#include <algorithm>
#include <cstdlib>

#include "app/timer_engine.h"
#include "display/layout.h"
#include "display/readout_drawing.h"
#include "lang/messages.h"
#include "settings/settings.h"
#include "timekeeping/time_values.h"

namespace {

using platform::Colour;
using platform::Rgb;
using readout::CeilSeconds;

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
std::int64_t ElapsedPermille() { return ElapsedMs() * 1000 / DurationDivisor(); }

bool Even(std::int32_t n) { return n % 2 == 0; }

// Blinking is locked to the whole seconds of the remaining time, rounded up:
// one second lit, one second not.
TimerLook CountDownLook(int width) {
    const std::int32_t r = RemainingMs();
    const bool paused = timerState.paused == 1;
    const Palette& p = paused ? pausedPalette : runningPalette;
    const bool evenSecond = Even(CeilSeconds(r));
    TimerLook look;
    look.text = FormatDuration(r, width);
    look.shaded = settings.Mode3D == 1 && !paused;
    look.textColour = p.text;
    look.elapsedPermille = ElapsedPermille();
    if (r <= 0 && settings.FinishRed == 1) {
        look.phase = TimerPhase::Finished;
        const bool lit = settings.FinishBlink == 0 || evenSecond;
        look.lit = lit;
        look.background = lit ? p.finish : p.background;
        look.backgroundScheme = lit ? FinishScheme : BackgroundScheme;
        look.blinking = settings.FinishBlink == 1 && !paused;
        return look;
    }
    const bool warning = r <= timerState.warningMs && settings.WarningYellow == 1;
    const bool warningLit = warning && (settings.WarningBlink == 0 || evenSecond);
    look.phase = warning ? TimerPhase::Warning : TimerPhase::Running;
    look.lit = warningLit;
    look.background = warningLit ? p.warning : p.background;
    look.backgroundScheme = warningLit ? WarningScheme : BackgroundScheme;
    if (warningLit) look.textColour = Rgb(0, 0, 0);
    look.blinking = warning && settings.WarningBlink == 1 && !paused;
    look.hasFill = true;
    look.fill = p.progress;
    look.fillScheme = ProgressScheme;
    return look;
}

TimerLook CountUpLook(int width) {
    const bool paused = timerState.paused == 1;
    TimerLook look;
    look.text = FormatDuration(SaturateMs(std::abs(ElapsedMs())), width);
    look.phase = TimerPhase::Running;
    look.shaded = settings.Mode3D == 1 && !paused;
    look.background = paused ? Rgb(75, 75, 75) : Rgb(150, 0, 150);
    look.backgroundScheme = CountUpScheme;
    look.textColour = paused ? Rgb(200, 200, 200) : Rgb(255, 255, 255);
    return look;
}

// The break blinks on whole seconds whatever the count-down's blink settings say.
TimerLook BreakLook(int width) {
    const TimerState& t = timerState;
    const std::int32_t r = RemainingMs();
    const bool evenSecond = Even(r / 1000);
    TimerLook look;
    if (r <= 0)
        look.text = Message(93);
    else if (t.mode == Break)
        look.text = Message(102) + " " + FormatDuration(r, width);
    else
        look.text = Message(103) + " " + FormatClock("%hh:%ii", t.startTime + t.durationMs / 1000,
                                                     width / std::max(1, layoutState.columns)) +
                    " (" + FormatDuration(r, width) + ")";
    look.shaded = settings.Mode3D == 1;
    look.textColour = Rgb(255, 255, 255);
    look.blinking = r <= 0 || r < t.warningMs;
    look.elapsedPermille = ElapsedPermille();
    if (r <= 0) {
        look.phase = TimerPhase::Finished;
        look.lit = evenSecond;
        look.background = evenSecond ? Rgb(255, 0, 0) : Rgb(0, 0, 0);
        look.backgroundScheme = evenSecond ? FinishScheme : BackgroundScheme;
        return look;
    }
    const bool warningLit = r < t.warningMs && evenSecond;
    look.phase = r < t.warningMs ? TimerPhase::Warning : TimerPhase::Running;
    look.lit = warningLit;
    look.background = warningLit ? Rgb(255, 255, 0) : Rgb(0, 0, 0);
    look.backgroundScheme = warningLit ? WarningScheme : BackgroundScheme;
    if (warningLit) look.textColour = Rgb(0, 0, 0);
    look.hasFill = true;
    look.fill = Rgb(26, 135, 138);
    look.fillScheme = TealScheme;
    return look;
}

}  // namespace

TimerLook CurrentTimerLook(int width) {
    TimerLook look = InBreak()                        ? BreakLook(width)
                     : timerState.mode == CountUp ? CountUpLook(width)
                                                      : CountDownLook(width);
    look.paused = timerState.paused == 1 && !InBreak();
    return look;
}

int ProgressBoundary(int th) {
    return static_cast<int>(std::clamp<std::int64_t>(th * ElapsedMs() / DurationDivisor(), -1000000, 1000000));
}
