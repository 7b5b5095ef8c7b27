#include "app/timer_engine.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "app/main_window.h"
#include "app/monitors.h"
#include "app/placement.h"
#include "app/presentation.h"
#include "display/layout.h"
#include "display/readouts.h"
#include "lang/messages.h"
#include "platform/gadgets.h"
#include "platform/system.h"
#include "platform/window.h"
#include "settings/settings.h"
#include "sound/alert_sound.h"

TimerState timerState;

namespace {

constexpr std::int32_t FifteenMinutesMs = 900000;

void MarkStart() {
    timerState.startTick = platform::TickCount();
    timerState.startTime = ClockNow();
}

// Starts a run that follows one that reached zero at zeroTick. Runs in a row
// keep time: the new one starts at that moment, however late the refresh
// that saw it (the alerts hold the loop for seconds). When that moment lies a
// whole new run or more back (a timer paused past its end, a computer back
// from sleep), it starts now: no burst of finishes to catch up.
void MarkStartAfter(std::uint32_t zeroTick, std::int32_t lengthMs) {
    const std::uint32_t now = platform::TickCount();
    const std::int32_t late = static_cast<std::int32_t>(now - zeroTick);
    if (timerState.paused || late < 0 || late >= lengthMs) {
        MarkStart();
        return;
    }
    timerState.startTick = zeroTick;
    timerState.startTime = ClockNow() - late / 1000;
}

// The button always tells whether the timer is paused.
void ShowStartPauseCaption() { platform::SetGadgetText(gadget::StartPause, StartPauseCaption()); }

void RequestRelayout() {
    layoutState.relayoutRequested = 1;
    LayoutReadouts(0);
}

// Break and until timers fill the screen: the break monitor's.
void GoFullScreen() {
    MoveToBreakMonitor();
    platform::SetWindowState(platform::WindowState::Maximized);
    RequestRelayout();
}

void LeaveFullScreen() {
    if (!mainLoop.userMaximized) platform::SetWindowState(platform::WindowState::Normal);
    ReturnFromBreakMonitor();
    PlaceWindow();
    RequestRelayout();
}

// A new run: its warning and finish come again.
void ClearAlertFlags() {
    timerState.warningFired = 0;
    timerState.finishFired = 0;
    timerState.finishMark = -1;
}

// The common end of setting a count-down: a timer set while it runs keeps the
// earlier preset for the automatic restart.
void BeginCountDownRun() {
    if (timerState.paused) timerState.presetMs = timerState.durationMs;
    ApplyWarningTime();
    ClearAlertFlags();
    timerState.mode = CountDown;
    RefreshReadouts();
    ReturnFocusToSlideshow();
}

// A break follows a finished count-down from its zeroTick; one the user starts begins now.
void StartFullScreenTimer(std::int32_t mode, std::int32_t durationMs, std::int32_t warningMs = 60000,
                          std::optional<std::uint32_t> zeroTick = std::nullopt) {
    timerState.mode = mode;
    timerState.durationMs = durationMs;
    if (mode == Break) timerState.lastBreakMs = durationMs;
    if (zeroTick)
        MarkStartAfter(*zeroTick, durationMs);
    else
        MarkStart();
    timerState.paused = 0;
    timerState.warningMs = warningMs;
    timerState.nextRefreshTick = 0;
    StopAlertSound();
    ShowStartPauseCaption();
    GoFullScreen();
}

void StartAutomaticBreak(std::uint32_t zeroTick) {
    const std::int32_t choice = settings.FinishAutoBreakTime;
    // Short breaks warn shortly before their end; any other choice keeps the length.
    const std::int32_t warningMs = choice == 0 || choice == 1 ? 5000 : choice == 2 ? 15000 : 60000;
    const std::int32_t lengthMs = BreakChoiceMs(choice);
    ClearAlertFlags();
    StartFullScreenTimer(Break, lengthMs > 0 ? lengthMs : timerState.durationMs, warningMs, zeroTick);
}

void RestartWithPreset(std::uint32_t zeroTick) {
    timerState.durationMs = timerState.presetMs;
    MarkStartAfter(zeroTick, timerState.durationMs);
    // A paused timer stands at its new beginning; otherwise it would show, and
    // on resume gain, the time between the pause and this restart.
    if (timerState.paused) timerState.pauseTick = timerState.startTick;
    ClearAlertFlags();
    StopAlertSound();
}

void BackToWork(std::uint32_t zeroTick) {
    timerState.mode = CountDown;
    timerState.durationMs = timerState.presetMs;
    MarkStartAfter(zeroTick, timerState.durationMs);
    ShowStartPauseCaption();
    LeaveFullScreen();
    ApplyWarningTime();
}

}  // namespace

std::int32_t BreakChoiceMs(std::int32_t choice) {
    static constexpr std::int32_t lengths[] = {30000, 60000, 120000, 300000, 600000, 900000, 1200000, 1800000};
    return choice >= 0 && choice < 8 ? lengths[choice] : 0;
}

std::int32_t RemainingMsOf(const TimerState& timer) {
    return static_cast<std::int32_t>(timer.startTick + static_cast<std::uint32_t>(timer.durationMs) - timer.sampleTick);
}

std::int32_t RemainingMs() { return RemainingMsOf(timerState); }

void InitTimerState() {
    timerState.mode = CountDown;
    MarkStart();
    timerState.durationMs = FifteenMinutesMs;
    timerState.presetMs = FifteenMinutesMs;
    ApplyWarningTime();
    timerState.paused = 1;
    timerState.pauseTick = timerState.startTick;
    ShowStartPauseCaption();
}

void SampleTimer() {
    timerState.sampleTick = platform::TickCount();
    timerState.sampleTime = ClockNow();
}

std::int32_t WarningThresholdMs(std::int32_t warningTime, std::int32_t durationMs) {
    switch (warningTime) {
        case 1: return static_cast<std::int32_t>(std::llround(durationMs * 0.2));
        case 2: return 30000;
        case 3: return 60000;
        case 4: return 120000;
        case 5: return 180000;
        case 6: return 300000;
        case 7: return 600000;
        case 8: return 900000;
        default: return SaturateMs(-static_cast<std::int64_t>(warningTime) * 1000);
    }
}

void ApplyWarningTime() {
    timerState.warningMs = WarningThresholdMs(settings.WarningTime, timerState.durationMs);
    StopAlertSound();
}

void SetCountDown(std::int32_t ms) {
    MarkStart();
    timerState.nextRefreshTick = 0;
    if (timerState.paused) timerState.pauseTick = timerState.startTick;
    timerState.durationMs = ms;
    BeginCountDownRun();
}

void AdjustCountDown(std::int32_t ms) {
    // Run out as shown (a paused timer shows the time left at its pause): the
    // button's length starts a fresh timer. The wall clock would count the
    // pause as running time and throw away what a paused timer still shows.
    TimerState shown = timerState;
    shown.sampleTick = timerState.paused ? timerState.pauseTick : platform::TickCount();
    if (RemainingMsOf(shown) <= 0) {
        MarkStart();
        if (timerState.paused) timerState.pauseTick = timerState.startTick;
        timerState.durationMs = 0;
    }
    timerState.durationMs = SaturateMs(static_cast<std::int64_t>(timerState.durationMs) + ms);
    if (ms < 0 && timerState.durationMs < 1) timerState.durationMs = 1;
    BeginCountDownRun();
}

void TogglePause() {
    if (timerState.mode != CountDown && timerState.mode != CountUp) return;
    timerState.paused = !timerState.paused;
    const std::uint32_t now = platform::TickCount();
    if (timerState.paused) {
        timerState.pauseTick = now;
        StopAlertSound();
    } else {
        timerState.startTick += now - timerState.pauseTick;
        timerState.nextRefreshTick = 0;
    }
    ShowStartPauseCaption();
    RefreshReadouts();
    ReturnFocusToSlideshow();
}

void StartCountUp() {
    timerState.mode = CountUp;
    MarkStart();
    timerState.nextRefreshTick = 0;
    timerState.paused = 0;
    ShowStartPauseCaption();
    ReturnFocusToSlideshow();
    StopAlertSound();
}

void StartBreak(std::int32_t ms) { StartFullScreenTimer(Break, ms); }

void StartUntil(TimeValue time) {
    StartFullScreenTimer(Until, SaturateMs((static_cast<std::int64_t>(time) - ClockNow()) * 1000));
}

bool InBreak() { return timerState.mode == Break || timerState.mode == Until; }

void StopBreak() {
    if (meetingEnd < ClockNow()) DefaultMeetingTimes();
    timerState.mode = CountDown;
    MarkStart();
    timerState.nextRefreshTick = 0;
    timerState.durationMs = FifteenMinutesMs;
    ClearAlertFlags();
    ApplyWarningTime();
    ShowStartPauseCaption();  // the break layout had put "Stop Break Timer" there
    LeaveFullScreen();
}

void StartAtMeetingStart() {
    if (timerState.mode != CountDown && timerState.mode != CountUp) return;
    if (timerState.sampleTime != meetingStart) return;
    timerState.paused = 0;
    MarkStart();
    ClearAlertFlags();
    ShowStartPauseCaption();
}

std::int32_t RefreshIntervalMs(std::int32_t mode, std::int32_t durationMs, int barLength) {
    if (mode == Break || mode == Until) return 1000;
    const std::int32_t msPerPixel = durationMs / std::max(barLength, 1);
    if (msPerPixel < 75) return 100;
    if (msPerPixel < 175) return 200;
    if (msPerPixel < 225) return 250;
    if (msPerPixel < 475) return 500;
    return 1000;
}

bool TimerTick() {
    const std::uint32_t now = platform::TickCount();
    // Compared by difference, so the schedule holds across the wrap of the count.
    if (timerState.nextRefreshTick != 0 && static_cast<std::int32_t>(now - timerState.nextRefreshTick) < 0) {
        return false;
    }
    if (mainLoop.inSizeMove) {
        timerState.nextRefreshTick = now + 100;
        return true;
    }
    timerState.refreshMs = RefreshIntervalMs(timerState.mode, timerState.durationMs, BarLength());
    timerState.nextRefreshTick = now + static_cast<std::uint32_t>(timerState.refreshMs);
    RefreshReadouts();
    // The automatic finish goes by the sample of the refresh just made (the real
    // tick, also for a paused timer whose first scheduled end has passed): a
    // finish is then never passed over before its alerts were given.
    if (RemainingMs() > 0) return false;
    const std::uint32_t zeroTick = timerState.startTick + static_cast<std::uint32_t>(timerState.durationMs);
    if (timerState.mode == CountDown && settings.FinishAutoBreakTimer == 1) {
        StartAutomaticBreak(zeroTick);
    } else if (timerState.mode == CountDown && settings.FinishAutoRestart == 1) {
        RestartWithPreset(zeroTick);
    } else if (timerState.mode == Break && settings.FinishAutoBreakTimer == 1 && settings.FinishAutoRestart == 1) {
        BackToWork(zeroTick);
    }
    return false;
}

std::string StartPauseCaption() { return timerState.paused ? ">" : "||"; }

int PauseMenuMessage() { return timerState.paused ? 104 : 105; }

std::string PauseMenuText() { return Message(PauseMenuMessage()); }
