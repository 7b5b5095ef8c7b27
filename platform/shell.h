#pragma once
// The shell's taskbar button of the main window (its list object, Windows 7
// and later), and the windows of other programs.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/types.h"

namespace platform {

// Initialises the component system for the thread (single-threaded) and
// creates the taskbar list; false when the system is too old or the object
// cannot be made.
bool CreateTaskbarList();
// Releases the list, if any, and uninitialises the component system.
void ReleaseTaskbarList();
// The list's operations on the main window's button. Each does nothing
// without a list.
void TaskbarHrInit();
void TaskbarSetProgressValue(std::uint64_t completed, std::uint64_t total);
void TaskbarSetProgressState(int state);  // 0 none, 1 indeterminate, 2 normal, 4 error, 8 paused
// The part of the client area the thumbnail preview shows; nothing: all of it.
void TaskbarSetThumbnailClip(std::optional<Rect> clip);

// Makes the first top-level window of this class the foreground window;
// false when there is none.
bool ForegroundWindowOfClass(const std::string& className);

}  // namespace platform
