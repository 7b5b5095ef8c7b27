#pragma once
// The one timer the main window shows. Running time is measured with the 32-bit
// millisecond tick count, never the wall clock; all tick arithmetic is modular,
// so a timer gives the same answers across the wrap of the count.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "timekeeping/time_values.h"

struct Settings;

enum TimerMode : std::int32_t { CountDown = 0, CountUp = 1, Break = 2, Until = 3 };

struct TimerState {
    std::int32_t mode = CountDown;
    std::uint32_t startTick = 0;  // moved forward on resume by the length of the pause
    TimeValue startTime = 0;
    std::int32_t durationMs = 0;
    std::int32_t warningMs = 0;
    std::int32_t paused = 0;
    std::uint32_t pauseTick = 0;
    std::int32_t presetMs = 0;  // what an automatic restart starts again with
    std::uint32_t sampleTick = 0;  // "now" for all timer arithmetic of one refresh
    TimeValue sampleTime = 0;
    std::int32_t warningFired = 0;
    std::int32_t finishFired = 0;
    // The mark of overtime the last alert step saw: 0 from zero on, 1 from
    // 15 s of overtime on, and so on; -1 while time is left.
    std::int32_t finishMark = -1;
    std::int32_t alertBusy = 0;  // a screen flash or popup is on screen
    std::int32_t lastBreakMs = 0;  // the length of the last break started, 0 before the first
    std::int32_t refreshMs = 1000;
    std::uint32_t nextRefreshTick = 0;  // 0: refresh at once
};

extern TimerState timerState;

// Remaining milliseconds at the sample: negative in overtime.
std::int32_t RemainingMs();
std::int32_t RemainingMsOf(const TimerState& timer);

// Start-up: a paused 15-minute count-down.
void InitTimerState();
// Takes the samples of one refresh: sampleTick and sampleTime become now.
void SampleTimer();

// The warning threshold for a WarningTime setting and a timer length.
std::int32_t WarningThresholdMs(std::int32_t warningTime, std::int32_t durationMs);
void ApplyWarningTime();

void SetCountDown(std::int32_t ms);
// Ctrl (+ms) or Shift (-ms) with a preset button.
void AdjustCountDown(std::int32_t ms);
void TogglePause();
void StartCountUp();
void StartBreak(std::int32_t ms);
void StartUntil(TimeValue time);
void StopBreak();
// The length of a FinishAutoBreakTime choice; 0 for a choice out of range.
std::int32_t BreakChoiceMs(std::int32_t choice);
// The break screen shows (a break, or a count-down to a time of day).
bool InBreak();
// Called by the meeting-clock drawing: starts the timer from the beginning when
// the sample falls into the second of the meeting start.
void StartAtMeetingStart();

// Milliseconds between readout refreshes, so that the progress bar moves about
// one pixel per refresh. A bar of no length counts as one pixel.
std::int32_t RefreshIntervalMs(std::int32_t mode, std::int32_t durationMs, int barLength);
// The main loop's refresh step. Returns true when the pass must end at once:
// a refresh was due while the user moves or sizes the window.
bool TimerTick();

// Texts the timer's state selects: the start/pause button and menu entry 107.
std::string StartPauseCaption();
int PauseMenuMessage();  // 104 "Resume Timer" while paused, else 105 "Pause Timer"
std::string PauseMenuText();

// One alert effect: variant 0 is the finish, 1 the warning. A sound carries what
// to play: a built-in sound number, or 0 and the user's file; and its volume
// in percent.
enum class AlertKind { Sound, Flash, Popup };
struct AlertStep {
    AlertKind kind = AlertKind::Sound;
    int variant = 0;
    std::string soundPath;
    int builtInSound = 0;
    int volume = 100;
    bool operator==(const AlertStep&) const = default;
};
// The mark of overtime that r remaining milliseconds falls into: 0 from zero
// on, 1 from -15 s on, ...; -1 while time is left. The finish event comes on
// the first refresh that reaches a new mark, whatever the refresh phase.
std::int32_t FinishMark(std::int32_t remainingMs);
// Decides the alerts of one refresh, in the order they must run (sound, flash,
// popup), and sets the once-flags of timer as the alert step does.
std::vector<AlertStep> DueAlerts(TimerState& timer, const Settings& settings);
// The sound of the next alert that will play one, when it is due within
// aheadMs (and not yet): the sound step it will run.
std::optional<AlertStep> UpcomingAlertSound(const TimerState& timer, const Settings& settings, std::int32_t aheadMs);
// The alert step of a readout refresh: runs the due alerts of a shown, running
// count-down, and gets the sound of an alert due within a few seconds ready.
void CheckAlerts();
