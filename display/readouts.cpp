#include "display/readouts.h"

std::string thousandsSeparator = ",";

void RefreshReadouts() {}
std::int64_t HourlyRate() { return 0; }
std::int64_t MeetingCost() { return 0; }
