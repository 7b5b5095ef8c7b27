#pragma once
// What the timer readout shows at the current sample: its text, its colours
// and where the progress fill stands. The readout drawing and the stage view
// both take it from here, so a browser shows what the strip shows.
#include <cstdint>
#include <string>

#include "platform/types.h"

enum class TimerPhase { Running, Warning, Finished };

struct TimerLook {
    std::string text;
    TimerPhase phase = TimerPhase::Running;
    bool paused = false;
    bool lit = false;  // the warning's yellow or the finish's red is on in this second
    platform::Colour background = 0;  // above the progress boundary; the whole readout when there is no fill
    int backgroundScheme = 0;          // its shaded scheme with the 3D look
    platform::Colour fill = 0;        // below the boundary
    int fillScheme = 0;
    platform::Colour textColour = 0;
    bool shaded = false;    // drawn with the 3D look
    bool hasFill = false;   // a progress fill is drawn below the boundary
    bool blinking = false;  // the look changes every second by itself
    // Elapsed share of the length in thousandths; may run past 0..1000.
    std::int64_t elapsedPermille = 0;
};

// The look of the timer readout in the current mode, from timerState as the
// refresh sampled it (a paused timer frozen at its pause). width is the
// client width the texts are fitted to.
TimerLook CurrentTimerLook(int width);
// The progress boundary of a readout th pixels high: the fill shrinks from the
// top as time passes.
int ProgressBoundary(int th);
