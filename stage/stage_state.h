#pragma once
// What the stage view shows: the timer as the strip's last refresh drew it,
// turned into JSON and published for the server's threads.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"
#include "timekeeping/time_values.h"

struct StageSnapshot {
    std::string mode;   // "countdown", "countup", "break", "until"
    std::string phase;  // "paused", "running", "warning", "finished"
    std::string text;   // the timer readout's text
    std::int32_t remainingMs = 0;  // negative in overtime; a count-up's elapsed time
    platform::Colour background = 0, fill = 0, textColour = 0;
    bool hasFill = false;
    std::int64_t fillPermille = 0;  // height of the progress fill, 0 to 1000
    bool blink = false;             // the look changes every second by itself
    bool lit = false;
    std::string clockText;  // the meeting clock's time of day
    std::string breakText;  // the break screen's text; empty outside a break
    std::string presets[5];  // the captions of the strip's preset buttons
    std::string lostText;    // what the page says when its stream stops
};

// The snapshot of the timer as sampled now (a paused timer frozen at its
// pause); clockTime is the real time of the sample.
StageSnapshot TakeStageSnapshot(TimeValue clockTime);
// The JSON object of the state; tick is the server's millisecond tick at the sample.
std::string StageStateJson(const StageSnapshot& s, std::uint32_t tick);

// Publication, on the user-interface thread: keeps the JSON for the server's
// threads and, when anything shown changed since the last one, counts a new
// version and wakes the event streams. Takes a lock only to swap strings.
void PublishStageState(const StageSnapshot& s, std::uint32_t tick);

struct PublishedStageState {
    std::string json;           // empty before the first publication
    std::uint64_t version = 0;  // grows with every change of what is shown
};
PublishedStageState CurrentStageState();
// The last changes are kept, so that a stream that was busy writing when
// several came still sends each of them.
constexpr std::size_t StageHistory = 64;
// Waits until there are versions after seen, the wait runs out, or stop is
// set (followed by WakeStageWaiters); returns the versions after seen, oldest
// first (the latest StageHistory of them), or nothing.
std::vector<PublishedStageState> WaitForStageChanges(std::uint64_t seen, std::chrono::milliseconds wait,
                                                     const std::atomic<bool>& stop);
// Wakes every waiter to look at its stop flag.
void WakeStageWaiters();
