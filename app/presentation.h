#pragma once
// Good-neighbour behaviour towards a running slide show, and taskbar progress.
#include <cstdint>

// Hands the keyboard back to a running slide show (its full-screen window's
// class is "screenClass"); nothing when none runs.
void ReturnFocusToSlideshow();
// While one lives, ReturnFocusToSlideshow does nothing: a command given from
// the keyboard of another program (a hotkey, another copy) leaves the
// keyboard where it is.
struct KeepFocusWhereItIs {
    KeepFocusWhereItIs();
    ~KeepFocusWhereItIs();
    KeepFocusWhereItIs(const KeepFocusWhereItIs&) = delete;
    KeepFocusWhereItIs& operator=(const KeepFocusWhereItIs&) = delete;
};
// Start-up and shutdown of the taskbar list; without one (an old system, or the
// object cannot be made) every update is skipped for the rest of the run.
void InitTaskbarProgress();
void ReleaseTaskbarProgress();
// Shows a progress state (0 none, 1 indeterminate, 2 normal, 4 error, 8 paused)
// and how much of it is completed, 0 to 100, on the main window's button, and
// clips its thumbnail to the timer readout while the timer is shown.
void UpdateTaskbarProgress(int state, std::int64_t completed);

// Whether the taskbar list exists.
extern bool taskbarList;
