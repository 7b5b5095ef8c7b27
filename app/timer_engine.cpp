#include "app/timer_engine.h"

TimerState timerState;

std::int32_t RemainingMs() {
    return static_cast<std::int32_t>(timerState.startTick + static_cast<std::uint32_t>(timerState.durationMs) -
                                     timerState.sampleTick);
}
void ApplyWarningTime() {}
void SetCountDown(std::int32_t) {}
void AdjustCountDown(std::int32_t) {}
void TogglePause() {}
void StartCountUp() {}
void StartBreak(std::int32_t) {}
void StartUntil(TimeValue) {}
void StopBreak() {}
void StartAtMeetingStart() {}
bool TimerTick() { return false; }
void CheckAlerts() {}
