#include "stage/stage_commands.h"

#include <atomic>
#include <deque>
#include <mutex>

#include "app/command_line.h"
#include "platform/system.h"

namespace {

std::mutex queueLock;
std::deque<CopyRequest> queued;
std::atomic<bool> anyQueued{false};

}  // namespace

void QueueStageCommand(const CopyRequest& request) {
    {
        const std::lock_guard<std::mutex> hold(queueLock);
        queued.push_back(request);
        anyQueued = true;
    }
    platform::WakeMainLoop();
}

void RunStageCommands() {
    if (!anyQueued) return;
    std::deque<CopyRequest> requests;
    {
        const std::lock_guard<std::mutex> hold(queueLock);
        requests.swap(queued);
        anyQueued = false;
    }
    for (const CopyRequest& r : requests) RunCopyCommand(static_cast<int>(r.command), r.argument);
}
