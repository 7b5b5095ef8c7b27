#include "app/presentation.h"

void ReturnFocusToSlideshow() {}
void InitTaskbarProgress() {}
void ReleaseTaskbarProgress() {}
void UpdateTaskbarProgress(int, std::int64_t) {}
