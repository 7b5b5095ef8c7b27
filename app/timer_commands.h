#pragma once
// Timer commands given from outside the strip (global hotkeys, another copy of
// the program): each acts on the timer whatever it is doing.
#include <cstdint>

#include "timekeeping/time_values.h"

// The remaining milliseconds the readout shows now: a paused timer's at its pause.
std::int32_t ShownRemainingMs();
// More (ms > 0) or less time on a count-down or a break, running, paused or
// finished. A finished one gets ms from zero; taking time away stops at zero
// (the timer finishes at once) and does nothing once it has finished. A
// count-up is left alone.
void NudgeTimer(std::int32_t ms);
// Back to a paused count-down of the preset length; a break ends first.
void ResetTimer();
// Sets the count-down to ms and runs it, whatever the timer was doing.
void StartCountDownNow(std::int32_t ms);
// Pauses (pause) or resumes a count-down or count-up; nothing when it already is so.
void SetPaused(bool pause);
// The start/pause button: ends a break, else pauses or resumes.
void StartOrPause();
// The length of preset button 1 to 5, in milliseconds.
std::int32_t PresetMs(int preset);
// The count-down set to preset 1 to 5, as its button does; a break ends first.
void SetPresetCountDown(int preset);
// A break of the length of the last one, or of the automatic break's length before the first.
void StartLastBreak();
