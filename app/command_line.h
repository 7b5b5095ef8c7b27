#pragma once
// Commands to the running copy: "Horavel.exe start 10m" hands "start 10m" to
// the copy already running for this user (or starts one that then acts), and
// "Horavel.exe status" prints that copy's state as one line of JSON.
#include <cstdint>
#include <optional>
#include <string>

#include "app/command_words.h"

// A JSON string of text (quotes, backslashes and control characters escaped).
std::string JsonString(const std::string& text);
// A timer mode (timer_engine.h) as status and the stage view name it: "countdown",
// "countup", "break" or "until".
const char* TimerModeName(std::int32_t mode);
// The phase status and the stage view report for a timer with remainingMs
// left: "paused" (whatever the time, so that a reader never counts on from a
// frozen readout), "running", "warning" or "finished". The time decides, not
// the colours the settings give it.
const char* TimerPhaseName(std::int32_t remainingMs);

// The timer now, as one line of JSON: mode, phase, the readout's text,
// remainingMs (the elapsed time for a count-up), meetingStart and meetingEnd.
std::string StatusJson();
// Hands StatusJson to the platform, which answers status requests with it;
// called with every refresh of the readouts.
void PublishTimerStatus();

// Start-up, before the window: with no words, nothing. Otherwise it ends the
// process, with status 2 and the usage for words it does not know, with
// status 1 (printing nothing) for a status while no copy runs, else with 0
// once the running copy has the command or the status is printed. With no
// copy running, the command comes back for this copy to run once it stands.
std::optional<CopyRequest> TakeCommandLine();
// Runs a command from another copy (or this copy's own command line); a
// command or argument out of range is ignored.
void RunCopyCommand(int command, std::int64_t argument);
