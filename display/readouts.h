#pragma once
// The drawing of the three readouts: meeting cost, meeting clock and timer.
#include <cstdint>
#include <string>

// Redraws every shown readout off-screen and shows each in one step, hands the
// count-down's progress to the taskbar and runs the alert step.
void RefreshReadouts();
// Whole currency units per hour from CostSalary and CostPeriod.
std::int64_t HourlyRate();
// The cost of the meeting so far, in whole currency units.
std::int64_t MeetingCost();

// What the count-down hands to the taskbar button: a progress state (0 none,
// 1 indeterminate, 2 normal, 4 error, 8 paused) and a value from 0 to 100.
struct TaskbarProgress {
    int state = 0;
    std::int64_t value = 0;
};
TaskbarProgress CountDownProgress();

// The cost readout's text: "Wait" up to the meeting start, then the grouped cost.
std::string CostText();
// Groups a string of decimal digits in threes from the right with a separator of
// exactly one character; any other separator, or up to three digits, leaves it alone.
std::string GroupDigits(const std::string& digits, const std::string& separator);

// The text the timer readout shows since the last refresh; empty while it is hidden.
extern std::string shownTimerText;
// The system locale's thousands separator, kept by the start-up.
extern std::string thousandsSeparator;
// Where the meeting clock's timer-end marker stands; it moves only by more than 3 pixels.
extern int markerY;
