#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/timer_engine.h"
#include "timekeeping/time_values.h"

namespace {

std::string PadTwo(std::int64_t value) {
    std::string text = std::to_string(value);
    if (text.size() < 2) text.insert(0, 2 - text.size(), '0');
    return text;
}

// " 01h 05m" becomes "1h 5m": the leading zeros of hours and minutes go.
std::string HoursAndMinutes(std::int64_t secs) {
    std::string text = ApplyTimeMask(" %hhh %iim", static_cast<TimeValue>(secs + 29));
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == '0') ++i;
    }
    const std::size_t first = out.find_first_not_of(' ');
    const std::size_t last = out.find_last_not_of(' ');
    return out.substr(first, last - first + 1);
}

}  // namespace

std::string FormatDuration(std::int32_t ms, int width) {
    if (width <= 0) width = 100;
    const bool compact = width <= 40;
    const std::int64_t a = std::llabs(static_cast<std::int64_t>(ms));
    // Up while time is left, down in overtime: the readout runs 2, 1, 0, 0, 1, 2
    // across zero.
    const float exact = static_cast<float>(a) / 1000.0f;
    const auto secs = static_cast<std::int64_t>(ms > 0 ? std::ceil(exact) : std::floor(exact));

    if (secs >= 3630) return HoursAndMinutes(secs);
    if ((secs >= 300 && !compact) || (secs >= 60 && compact)) {
        const auto minutes = static_cast<std::int64_t>(std::floor(static_cast<float>(secs) / 60.0f + 0.5f));
        return std::to_string(minutes) + (compact ? " m" : " min");
    }
    const bool tenths = a < 9950 && timerState.refreshMs <= 100 && timerState.mode == CountDown && ms >= 0;
    const auto t = static_cast<TimeValue>(secs);
    if (compact) return ApplyTimeMask("%ss", t);
    if (!tenths) return ApplyTimeMask("%ii:%ss", t);
    const std::int64_t tenthsOfSecond = (a + 50) / 100;  // nearest tenth, a half going up
    return std::to_string(tenthsOfSecond / 10) + "." + std::to_string(tenthsOfSecond % 10);
}

std::int32_t ParseDuration(const std::string& text) {
    std::string fields = text;
    std::replace(fields.begin(), fields.end(), '.', ':');
    std::replace(fields.begin(), fields.end(), ';', ':');
    // The reader stops at the first ":", so each field is read from where it starts.
    const std::size_t colon = fields.find(':');
    const std::int64_t first = ReadInteger(fields);
    const std::int64_t second = colon == std::string::npos ? 0 : ReadInteger(std::string_view(fields).substr(colon + 1));
    const std::int64_t count = std::llabs(first * 60 + second);
    return static_cast<std::int32_t>(std::min<std::int64_t>(count, MaxDurationCount));
}

std::string FormatMinutesSeconds(std::int32_t seconds) {
    const std::int64_t magnitude = std::llabs(static_cast<std::int64_t>(seconds));
    return PadTwo(magnitude / 60) + ":" + PadTwo(magnitude % 60);
}
