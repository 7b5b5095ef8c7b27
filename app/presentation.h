#pragma once
// Good-neighbour behaviour towards a running slide show, and taskbar progress.
#include <cstdint>

void ReturnFocusToSlideshow();
void InitTaskbarProgress();
void ReleaseTaskbarProgress();
void UpdateTaskbarProgress(int state, std::int64_t completed);
