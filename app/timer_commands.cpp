#include "app/timer_commands.h"

#include <algorithm>

#include "app/timer_engine.h"
#include "display/readouts.h"
#include "platform/system.h"
#include "settings/settings.h"
#include "sound/alert_sound.h"

std::int32_t ShownRemainingMs() {
    TimerState shown = timerState;
    shown.sampleTick = timerState.paused ? timerState.pauseTick : platform::TickCount();
    return RemainingMsOf(shown);
}

void NudgeTimer(std::int32_t ms) {
    if (timerState.mode == CountUp || ms == 0) return;
    const std::int32_t remaining = ShownRemainingMs();
    std::int64_t change;
    if (ms > 0) {
        change = std::int64_t{ms} - std::min(remaining, 0);  // overtime counts from zero again
    } else {
        if (remaining <= 0) return;
        change = std::max(std::int64_t{ms}, -std::int64_t{remaining});
    }
    timerState.durationMs = SaturateMs(timerState.durationMs + change);
    const std::int32_t now = ShownRemainingMs();
    // An alert comes again only when its moment lies ahead once more.
    if (now > timerState.warningMs) timerState.warningFired = 0;
    if (now > 0) {
        timerState.finishFired = 0;
        timerState.finishMark = -1;
        if (remaining <= 0) StopAlertSound();
    }
    timerState.nextRefreshTick = 0;
    RefreshReadouts();
}

void ResetTimer() {
    if (InBreak()) StopBreak();
    const std::int32_t preset = timerState.presetMs > 0 ? timerState.presetMs : timerState.durationMs;
    SetPaused(true);
    SetCountDown(preset);
}

void StartCountDownNow(std::int32_t ms) {
    if (InBreak()) StopBreak();
    SetCountDown(ms);
    SetPaused(false);
}

void SetPaused(bool pause) {
    if (InBreak() || (timerState.paused != 0) == pause) return;
    TogglePause();
}

void StartOrPause() {
    if (InBreak())
        StopBreak();
    else
        TogglePause();
}

std::int32_t PresetMs(int preset) {
    const std::int32_t seconds[] = {settings.Button1, settings.Button2, settings.Button3, settings.Button4,
                                    settings.Button5};
    return SaturateMs(std::int64_t{seconds[std::clamp(preset, 1, 5) - 1]} * 1000);
}

void SetPresetCountDown(int preset) {
    if (InBreak()) StopBreak();
    SetCountDown(PresetMs(preset));
}

void StartLastBreak() {
    constexpr std::int32_t kTenMinutes = 4;  // the automatic break's first-run choice
    const std::int32_t last = timerState.lastBreakMs;
    const std::int32_t chosen = BreakChoiceMs(settings.FinishAutoBreakTime);
    StartBreak(last > 0 ? last : chosen > 0 ? chosen : BreakChoiceMs(kTenMinutes));
}
