#pragma once
// Time values and their texts. A time value is signed seconds of local wall-clock
// time counted as if it were UTC, always built by ClockNow with the year 2000.
#include <cstdint>
#include <string>

using TimeValue = std::int32_t;

TimeValue ClockNow();
std::string FormatClock(const std::string& mask, TimeValue time, int width);
TimeValue ParseClock(const std::string& text);
std::string FormatDuration(std::int32_t ms, int width);
std::int32_t ParseDuration(const std::string& text);
std::string FormatMinutesSeconds(std::int32_t seconds);
void DefaultMeetingTimes();

// The meeting the clock and the cost counter follow, and the quarter hour the
// menu's time lists start from.
extern TimeValue meetingStart;
extern TimeValue meetingEnd;
extern TimeValue quarterHourBase;
