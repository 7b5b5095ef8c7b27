#include "app/presentation.h"

#include "display/layout.h"
#include "platform/shell.h"
#include "settings/settings.h"

bool taskbarList = false;

namespace {
int focusKept = 0;
}  // namespace

void ReturnFocusToSlideshow() {
    if (focusKept == 0) platform::ForegroundWindowOfClass("screenClass");
}

KeepFocusWhereItIs::KeepFocusWhereItIs() { ++focusKept; }
KeepFocusWhereItIs::~KeepFocusWhereItIs() { --focusKept; }

void InitTaskbarProgress() { taskbarList = platform::CreateTaskbarList(); }

void ReleaseTaskbarProgress() {
    platform::ReleaseTaskbarList();
    taskbarList = false;
}

void UpdateTaskbarProgress(int state, std::int64_t completed) {
    if (!taskbarList) return;
    // The taskbar may have restarted since the last update.
    platform::TaskbarHrInit();
    std::optional<platform::Rect> clip;
    if (settings.ShowTaskBarProgress == 1) {
        platform::TaskbarSetProgressValue(static_cast<std::uint64_t>(completed), 100);
        platform::TaskbarSetProgressState(state);
        if (settings.ShowTimer == 1)
            clip = platform::Rect{timerHitRect.left, timerHitRect.top, timerHitRect.right - timerHitRect.left,
                                  timerHitRect.bottom - timerHitRect.top};
    } else {
        platform::TaskbarSetProgressState(0);
    }
    platform::TaskbarSetThumbnailClip(clip);
}
