#include <algorithm>
#include <cstdint>
#include <limits>

#include "timekeeping/time_values.h"

namespace {

constexpr std::int64_t SecondsPerDay = 86400;

// Days from 1970-01-01 to the given Gregorian date, counting in 400-year eras
// that start on 1 March so that leap days fall at the end of each year.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void AppendTwoDigits(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

}  // namespace

TimeValue MakeTimeValue(int year, int month, int day, int hour, int minute, int second) {
    const std::int64_t seconds =
        DaysFromCivil(year, month, day) * SecondsPerDay + hour * 3600LL + minute * 60LL + second;
    return static_cast<TimeValue>(seconds);
}

TimeOfDay TimeOfDayOf(TimeValue time) {
    std::int64_t s = time % SecondsPerDay;
    if (s < 0) s += SecondsPerDay;
    return {static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60), static_cast<int>(s % 60)};
}

std::string ApplyTimeMask(std::string_view mask, TimeValue time) {
    const TimeOfDay t = TimeOfDayOf(time);
    std::string out;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const std::string_view token = mask.substr(i, 3);
        if (token == "%hh") {
            AppendTwoDigits(out, t.hour);
        } else if (token == "%ii") {
            AppendTwoDigits(out, t.minute);
        } else if (token == "%ss") {
            AppendTwoDigits(out, t.second);
        } else {
            out += mask[i];
            continue;
        }
        i += 2;
    }
    return out;
}

std::int32_t ReadInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), limit + 1);
    }
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min(value, limit));
}

std::int32_t SaturateMs(std::int64_t ms) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(ms, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}
