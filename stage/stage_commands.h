#pragma once
// Control requests reach the timer through a queue: the server's threads put
// commands in and wake the main loop, which runs them on its own thread.
#include "app/command_words.h"

// Any thread.
void QueueStageCommand(const CopyRequest& request);
// The main loop, on every pass: runs the queued commands in order, as the
// command line's would be.
void RunStageCommands();
