#include "app/command_words.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits only, with a bound well past any length a timer holds.
std::optional<std::int64_t> ReadNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    std::int64_t n = 0;
    for (char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::optional<std::int64_t> ColonSeconds(const std::string& text) {
    const std::vector<std::string> parts = Split(text, ':');
    if (parts.size() > 3) return std::nullopt;
    std::int64_t seconds = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::optional<std::int64_t> n = ReadNumber(parts[i]);
        if (!n || (i > 0 && *n > 59)) return std::nullopt;
        seconds = seconds * 60 + *n;
    }
    return seconds;
}

// "1h30m", "90s": numbers with units in the order h, m, s, each at most once.
std::optional<std::int64_t> UnitSeconds(const std::string& text) {
    static constexpr struct {
        char unit;
        std::int64_t seconds;
    } kUnits[] = {{'h', 3600}, {'m', 60}, {'s', 1}};
    if (text.empty()) return std::nullopt;
    std::int64_t seconds = 0;
    std::size_t at = 0, next = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size() && IsDigit(text[end])) ++end;
        if (end == at || end == text.size()) return std::nullopt;
        const std::optional<std::int64_t> n = ReadNumber(text.substr(at, end - at));
        const char unit = static_cast<char>(text[end] | 0x20);
        while (next < 3 && kUnits[next].unit != unit) ++next;
        if (!n || next == 3) return std::nullopt;
        seconds += *n * kUnits[next++].seconds;
        at = end + 1;
    }
    return seconds;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

enum class Argument { None, Length, Clock, Button };

std::optional<std::int64_t> ReadArgument(Argument kind, const std::string& word) {
    switch (kind) {
        case Argument::Length: return ParseCommandLength(word);
        case Argument::Clock: return ParseCommandClock(word);
        case Argument::Button: {
            const std::optional<std::int64_t> n = ReadNumber(word);
            if (n && *n >= 1 && *n <= 5) return n;
            return std::nullopt;
        }
        case Argument::None: break;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::int32_t> ParseCommandLength(const std::string& text) {
    std::optional<std::int64_t> seconds;
    if (text.find(':') != std::string::npos)
        seconds = ColonSeconds(text);
    else if (!text.empty() && IsDigit(text.back()))
        seconds = ReadNumber(text).value_or(-1) * 60;  // a bare number of minutes
    else
        seconds = UnitSeconds(text);
    if (seconds && *seconds < 0) seconds.reset();
    if (!seconds || *seconds * 1000 > kMaxCommandLengthMs) return std::nullopt;
    return static_cast<std::int32_t>(*seconds * 1000);
}

std::optional<std::int32_t> ParseCommandClock(const std::string& text) {
    const std::vector<std::string> parts = Split(text, ':');
    if (parts.size() != 2 || parts[1].size() != 2) return std::nullopt;
    const std::optional<std::int64_t> h = ReadNumber(parts[0]), m = ReadNumber(parts[1]);
    if (!h || !m || *h > 23 || *m > 59) return std::nullopt;
    return static_cast<std::int32_t>(*h * 3600 + *m * 60);
}

std::vector<std::string> CommandWords(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (IsBlank(c)) {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

std::optional<CopyRequest> ParseCommandWords(std::vector<std::string> words) {
    static constexpr struct {
        const char* word;
        CopyCommand command;
        Argument argument;
    } kWords[] = {{"start", CopyCommand::Start, Argument::Length},  {"pause", CopyCommand::Pause, Argument::None},
                  {"resume", CopyCommand::Resume, Argument::None},  {"toggle", CopyCommand::Toggle, Argument::None},
                  {"reset", CopyCommand::Reset, Argument::None},    {"add", CopyCommand::Add, Argument::Length},
                  {"sub", CopyCommand::Sub, Argument::Length},      {"countup", CopyCommand::CountUp, Argument::None},
                  {"break", CopyCommand::Break, Argument::Length},  {"until", CopyCommand::Until, Argument::Clock},
                  {"preset", CopyCommand::Preset, Argument::Button}, {"status", CopyCommand::Status, Argument::None}};
    for (std::string& word : words)
        for (char& c : word) c = Lower(c);
    if (words.empty()) return std::nullopt;
    for (const auto& w : kWords) {
        if (words[0] != w.word) continue;
        const bool takesOne = w.argument != Argument::None;
        if (words.size() != (takesOne ? 2u : 1u)) return std::nullopt;
        if (!takesOne) return CopyRequest{w.command, 0};
        const std::optional<std::int64_t> argument = ReadArgument(w.argument, words[1]);
        if (!argument) return std::nullopt;
        return CopyRequest{w.command, *argument};
    }
    return std::nullopt;
}

std::string UsageText() {
    return "Usage: Horavel.exe [command]\n"
           "With no command Horavel starts. A command acts on the Horavel already running\n"
           "(one is started first when none runs):\n"
           "  start LENGTH   set the count-down to LENGTH and run it\n"
           "  pause, resume, toggle\n"
           "  reset          back to the preset length, paused\n"
           "  preset N       set the count-down to preset button N (1 to 5), as a click does\n"
           "  add LENGTH     more time on the count-down or break\n"
           "  sub LENGTH     less time (never below zero)\n"
           "  countup        start counting up\n"
           "  break LENGTH   start a break\n"
           "  until HH:MM    a break until that time of day\n"
           "  status         print the timer as one line of JSON (exit status 1 when no\n"
           "                 Horavel runs)\n"
           "LENGTH: 10m, 90s, 1h30m, 1:30 (minutes:seconds), 1:02:03 or 10 (minutes).\n";
}
