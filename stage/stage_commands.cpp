#include "stage/stage_commands.h"

#include <atomic>
#include <deque>
#include <mutex>

#include "app/timer_engine.h"
#include "platform/system.h"
#include "settings/settings.h"

namespace {

std::mutex queueLock;
std::deque<StageCommandWord> queued;
std::atomic<bool> anyQueued{false};

std::int32_t PresetMs(int preset) {
    const std::int32_t seconds[] = {settings.Button1, settings.Button2, settings.Button3, settings.Button4,
                                    settings.Button5};
    return SaturateMs(std::int64_t{seconds[preset - 1]} * 1000);
}

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
    const bool paused = timerState.paused == 1;
    switch (word.command) {
        case StageCommand::Start:
            if (InBreak()) break;
            if (paused) TogglePause();
            break;
        case StageCommand::Pause:
            if (!InBreak() && !paused) TogglePause();
            break;
        case StageCommand::Toggle:
            if (InBreak())
                StopBreak();
            else
                TogglePause();
            break;
        case StageCommand::Reset:
            // Back to the length the timer was last set to, paused.
            if (InBreak()) StopBreak();
            if (timerState.paused == 0) TogglePause();
            SetCountDown(timerState.presetMs);
            break;
        case StageCommand::AddMinute:
        case StageCommand::SubMinute:
            if (timerState.mode == CountDown) AdjustCountDown(word.command == StageCommand::AddMinute ? 60000 : -60000);
            break;
        case StageCommand::Preset:
            if (InBreak()) StopBreak();
            SetCountDown(PresetMs(word.preset));
            break;
    }
}
