#pragma once
// Control requests reach the timer through a queue: the server's threads put
// commands in and wake the main loop, which runs them on its own thread.
#include "stage/stage_request.h"

// Any thread.
void QueueStageCommand(const StageCommandWord& word);
// The main loop, on every pass: runs the queued commands in order.
void RunStageCommands();
// One command, as the strip's own buttons would do it.
void RunStageCommand(const StageCommandWord& word);
