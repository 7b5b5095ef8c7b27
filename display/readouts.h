#pragma once
#include <cstdint>

void RefreshReadouts();
std::int64_t HourlyRate();
std::int64_t MeetingCost();
