#include <algorithm>
#include <cstdlib>

#include "platform/system.h"
#include "settings/settings.h"
#include "timekeeping/time_values.h"

TimeValue meetingStart = 0;
TimeValue meetingEnd = 0;
TimeValue quarterHourBase = 0;

namespace {

constexpr TimeValue HalfDay = 43200;
constexpr TimeValue Day = 86400;
constexpr TimeValue QuarterHour = 900;

TimeValue StartOfDay(TimeValue time) {
    const TimeOfDay t = TimeOfDayOf(time);
    return time - (t.hour * 3600 + t.minute * 60 + t.second);
}

}  // namespace

TimeValue ClockNow() {
    const platform::LocalTime now = platform::GetLocalTime();
    return MakeTimeValue(2000, now.month, now.day, now.hour, now.minute, now.second);
}

std::string FormatClock(const std::string& mask, TimeValue time, int width) {
    if (settings.Clock24hr != 0) return ApplyTimeMask(mask, time);
    const std::string separator = width > 100 ? " " : "";
    const int hour = TimeOfDayOf(time).hour;
    std::string text;
    if (hour < 12) {
        text = ApplyTimeMask(mask, time) + separator + "AM";
        if (text.starts_with("00")) text.replace(0, 2, "12");
    } else if (hour == 12) {
        return ApplyTimeMask(mask, time) + separator + "PM";
    } else {
        text = ApplyTimeMask(mask, time - HalfDay) + separator + "PM";
    }
    if (text.starts_with("0")) text.erase(0, 1);
    return text;
}

TimeValue ParseClock(const std::string& text) {
    const std::size_t colon = text.find(':');
    int hour = 0;
    int minute = 0;
    if (colon == std::string::npos) {
        hour = ReadInteger(text);
    } else {
        hour = ReadInteger(std::string_view(text).substr(0, colon));
        minute = ReadInteger(std::string_view(text).substr(colon + 1, 2));
    }
    // A typed time must stay a time of day: out-of-range fields would otherwise
    // build a date far from today and the timer or meeting would make no sense.
    hour = std::clamp(hour, 0, 23);
    minute = std::clamp(minute, 0, 59);
    if (settings.Clock24hr == 0 && text.size() >= 2) {
        const std::string_view suffix = std::string_view(text).substr(text.size() - 2);
        if (hour <= 11 && suffix == "PM") {
            hour += 12;
        } else if (hour == 12 && suffix == "AM") {
            hour = 0;
        }
    }
    const TimeValue now = ClockNow();
    TimeValue time = StartOfDay(now) + hour * 3600 + minute * 60;
    if (now - time > HalfDay) time += Day;
    return time;
}

void DefaultMeetingTimes() {
    const TimeValue now = ClockNow();
    // Half past the hour two hours ago; before 02:00 that is on the previous day,
    // which plain second arithmetic crosses correctly.
    TimeValue base = StartOfDay(now) + (TimeOfDayOf(now).hour - 2) * 3600 + 1800;
    while (now - base > 2100) base += QuarterHour;
    quarterHourBase = base;
    if (meetingStart == 0 && meetingEnd == 0) {
        for (int i = 0; i < 16; ++i) {
            const TimeValue candidate = base + i * QuarterHour;
            if (std::abs(now - candidate) <= 450) {
                meetingStart = candidate;
                break;
            }
        }
    }
    meetingEnd = meetingStart + 3600;
}

TimeValue MeetingLengthSeconds() { return std::max<TimeValue>(1, meetingEnd - meetingStart); }
