#pragma once
// The words that drive the timer from outside the strip: the command line
// ("Horavel.exe start 10m") and the stage view's control requests read them
// the same way.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "timekeeping/time_values.h"

// The numbers travel between copies of the program: new commands go at the end.
enum class CopyCommand : int { Start = 1, Pause, Resume, Toggle, Reset, Add, Sub, CountUp, Break, Until, Status, Preset };

struct CopyRequest {
    CopyCommand command = CopyCommand::Status;
    // Milliseconds; for Until the seconds of the day; for Preset the button, 1 to 5.
    std::int64_t argument = 0;
    bool operator==(const CopyRequest&) const = default;
};

// The longest length a command may give: what a timer holds.
constexpr std::int64_t kMaxCommandLengthMs = std::int64_t{MaxDurationCount} * 1000;

// A length: "10m", "90s", "2h", "1h30m", "1m30s", "1:30" (minutes and
// seconds), "1:02:03" (hours, minutes, seconds) or a bare number of minutes;
// in milliseconds. Nothing for anything else, a sign, or a length a timer
// cannot hold (596 hours and a half).
std::optional<std::int32_t> ParseCommandLength(const std::string& text);
// A time of day "14:30" (24-hour, "H:MM") in seconds of the day.
std::optional<std::int32_t> ParseCommandClock(const std::string& text);
// The words of a text, split at blanks (spaces, tabs, line ends).
std::vector<std::string> CommandWords(std::string_view text);
// A command from its words, letters in either case; nothing when they are not one.
std::optional<CopyRequest> ParseCommandWords(std::vector<std::string> words);
// What unknown words print.
std::string UsageText();
