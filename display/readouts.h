#pragma once
#include <cstdint>
#include <string>

// The locale's thousands separator, kept at start-up for the cost readout.
extern std::string thousandsSeparator;

void RefreshReadouts();
std::int64_t HourlyRate();
std::int64_t MeetingCost();
