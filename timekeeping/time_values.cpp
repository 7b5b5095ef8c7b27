#include "timekeeping/time_values.h"

TimeValue meetingStart = 0;
TimeValue meetingEnd = 0;
TimeValue quarterHourBase = 0;

TimeValue ClockNow() { return 0; }
std::string FormatClock(const std::string&, TimeValue, int) { return {}; }
TimeValue ParseClock(const std::string&) { return 0; }
std::string FormatDuration(std::int32_t, int) { return {}; }
std::int32_t ParseDuration(const std::string&) { return 0; }
std::string FormatMinutesSeconds(std::int32_t) { return {}; }
void DefaultMeetingTimes() {}
