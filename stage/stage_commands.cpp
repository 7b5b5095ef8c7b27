#include "stage/stage_commands.h"

#include <atomic>
#include <deque>
#include <mutex>

#include "app/timer_commands.h"
#include "platform/system.h"

namespace {

std::mutex queueLock;
std::deque<StageCommandWord> queued;
std::atomic<bool> anyQueued{false};

}  // namespace

void QueueStageCommand(const StageCommandWord& word) {
    {
        const std::lock_guard<std::mutex> hold(queueLock);
        queued.push_back(word);
        anyQueued = true;
    }
    platform::WakeMainLoop();
}

void RunStageCommands() {
    if (!anyQueued) return;
    std::deque<StageCommandWord> words;
    {
        const std::lock_guard<std::mutex> hold(queueLock);
        words.swap(queued);
        anyQueued = false;
    }
    for (const StageCommandWord& word : words) RunStageCommand(word);
}

void RunStageCommand(const StageCommandWord& word) {
    switch (word.command) {
        case StageCommand::Start: SetPaused(false); break;
        case StageCommand::Pause: SetPaused(true); break;
        case StageCommand::Toggle: StartOrPause(); break;
        case StageCommand::Reset: ResetTimer(); break;
        case StageCommand::AddMinute: NudgeTimer(60000); break;
        case StageCommand::SubMinute: NudgeTimer(-60000); break;
        case StageCommand::Preset: SetPresetCountDown(word.preset); break;
    }
}
