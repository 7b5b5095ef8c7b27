#pragma once
// Time values and their texts. A time value is signed seconds of local wall-clock
// time counted as if it were UTC, always built by ClockNow with the year 2000, so
// differences between the values the program keeps are right across midnight and
// month ends and the year never reaches the screen.
#include <cstdint>
#include <string>
#include <string_view>

using TimeValue = std::int32_t;

// The calendar reading year-month-day hour:minute:second as seconds since
// 1970-01-01 00:00:00 (Gregorian calendar, leap years included). Hours, minutes
// and seconds outside their ranges simply carry into the neighbouring fields.
TimeValue MakeTimeValue(int year, int month, int day, int hour, int minute, int second);

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
};
TimeOfDay TimeOfDayOf(TimeValue time);

// Copies mask, putting the two-digit hour, minute and second of time in place of
// "%hh", "%ii" and "%ss".
std::string ApplyTimeMask(std::string_view mask, TimeValue time);

// The integer at the start of text: leading blanks and tabs skipped, an optional
// sign, then digits; the rest is ignored. Saturates at the 32-bit limits instead
// of wrapping, so a long digit string cannot turn into a negative number.
std::int32_t ReadInteger(std::string_view text);

// A millisecond count made to fit the signed 32 bits durations are kept in.
std::int32_t SaturateMs(std::int64_t ms);

// Now: today's local month, day and time of day in the year 2000.
TimeValue ClockNow();

// Clock text in 12- or 24-hour form ("24hr Clock"); wider than 100 pixels puts a
// space before "AM"/"PM".
std::string FormatClock(const std::string& mask, TimeValue time, int width);

// Reads a typed clock time "h:mm" (with "AM"/"PM" on a 12-hour clock) as today's,
// or tomorrow's when that lies more than twelve hours back. Fields out of range
// are clamped to the nearest valid time of day (25:00 reads as 23:00, 10:75 as
// 10:59, -3:00 as 0:00); text without ":" is a whole hour ("9" is 9:00).
TimeValue ParseClock(const std::string& text);

// Timer and meeting-clock text of a signed duration in milliseconds; the text
// never carries a sign. Reads the timer's mode and refresh interval to decide
// whether tenths of a second may be shown.
std::string FormatDuration(std::int32_t ms, int width);

// The longest count ParseDuration returns: its result times 1000 still fits a
// signed 32-bit millisecond count (596 hours and a half in seconds).
constexpr std::int32_t MaxDurationCount = INT32_MAX / 1000;

// Reads "first:second" ("." and ";" also separate) as |first × 60 + second|,
// clamped to MaxDurationCount. The caller decides the unit.
std::int32_t ParseDuration(const std::string& text);

// "MM:SS" of the magnitude of a count of seconds (a custom warning time is kept
// as minus its seconds).
std::string FormatMinutesSeconds(std::int32_t seconds);

// Moves the quarter-hour base to 20 to 35 minutes before now; on the first call
// also sets the meeting start to the quarter hour nearest now; always puts the
// meeting end one hour after the start.
void DefaultMeetingTimes();

// The meeting the clock and the cost counter follow, and the quarter hour the
// menu's time lists start from.
extern TimeValue meetingStart;
extern TimeValue meetingEnd;
extern TimeValue quarterHourBase;

// Length of the meeting in seconds, at least 1: the divisor for how much of the
// meeting has passed, safe when the end was set equal to (or before) the start.
TimeValue MeetingLengthSeconds();
