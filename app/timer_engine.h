#pragma once
// The one timer the main window shows.
#include <cstdint>

#include "timekeeping/time_values.h"

enum TimerMode : std::int32_t { CountDown = 0, CountUp = 1, Break = 2, Until = 3 };

struct TimerState {
    std::int32_t mode = CountDown;
    std::uint32_t startTick = 0;
    TimeValue startTime = 0;
    std::int32_t durationMs = 0;
    std::int32_t warningMs = 0;
    std::int32_t paused = 0;
    std::uint32_t pauseTick = 0;
    std::int32_t presetMs = 0;
    std::uint32_t sampleTick = 0;
    TimeValue sampleTime = 0;
    std::int32_t warningFired = 0;
    std::int32_t finishFired = 0;
    std::int32_t alertBusy = 0;
    std::int32_t refreshMs = 1000;
    std::uint32_t nextRefreshTick = 0;
};

extern TimerState timerState;

std::int32_t RemainingMs();
void ApplyWarningTime();
void SetCountDown(std::int32_t ms);
void AdjustCountDown(std::int32_t ms);
void TogglePause();
void StartCountUp();
void StartBreak(std::int32_t ms);
void StartUntil(TimeValue time);
void StopBreak();
void StartAtMeetingStart();
// The main loop's refresh step. Returns true when the pass must end at once:
// a refresh was due while the user moves or sizes the window.
bool TimerTick();
void CheckAlerts();
