#include "app/command_line.h"

#include <cstdio>

#include "app/presentation.h"
#include "app/timer_commands.h"
#include "app/timer_engine.h"
#include "display/readouts.h"
#include "platform/other_copy.h"
#include "platform/system.h"
#include "settings/settings.h"

namespace {

constexpr std::int64_t kMaxLengthMs = std::int64_t{MaxDurationCount} * 1000;
constexpr std::int32_t kSecondsPerDay = 86400;

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

// Today's time of day, or tomorrow's when it lies more than twelve hours back.
TimeValue NextClock(std::int32_t secondsOfDay) {
    const TimeValue now = ClockNow();
    const TimeOfDay t = TimeOfDayOf(now);
    TimeValue at = now - (t.hour * 3600 + t.minute * 60 + t.second) + secondsOfDay;
    if (now - at > 12 * 3600) at += kSecondsPerDay;
    return at;
}

}  // namespace

std::string JsonString(const std::string& text) {
    std::string json = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            json += '\\';
            json += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            json += escaped;
        } else {
            json += static_cast<char>(c);
        }
    }
    return json + '"';
}

const char* TimerModeName(std::int32_t mode) {
    switch (mode) {
        case CountUp: return "countup";
        case Break: return "break";
        case Until: return "until";
        default: return "countdown";
    }
}

const char* TimerPhaseName(std::int32_t remainingMs) {
    if (timerState.paused && !InBreak()) return "paused";
    if (timerState.mode == CountUp) return "running";
    if (remainingMs <= 0) return "finished";
    // A count-down warns from its warning time on, a break only below it, as their readouts do.
    const bool warning = timerState.mode == CountDown ? remainingMs <= timerState.warningMs
                                                      : remainingMs < timerState.warningMs;
    return warning ? "warning" : "running";
}

std::optional<std::int32_t> ParseCommandLength(const std::string& text) {
    std::optional<std::int64_t> seconds;
    if (text.find(':') != std::string::npos)
        seconds = ColonSeconds(text);
    else if (!text.empty() && IsDigit(text.back()))
        seconds = ReadNumber(text).value_or(-1) * 60;  // a bare number of minutes
    else
        seconds = UnitSeconds(text);
    if (seconds && *seconds < 0) seconds.reset();
    if (!seconds || *seconds * 1000 > kMaxLengthMs) return std::nullopt;
    return static_cast<std::int32_t>(*seconds * 1000);
}

std::optional<std::int32_t> ParseCommandClock(const std::string& text) {
    const std::vector<std::string> parts = Split(text, ':');
    if (parts.size() != 2 || parts[1].size() != 2) return std::nullopt;
    const std::optional<std::int64_t> h = ReadNumber(parts[0]), m = ReadNumber(parts[1]);
    if (!h || !m || *h > 23 || *m > 59) return std::nullopt;
    return static_cast<std::int32_t>(*h * 3600 + *m * 60);
}

std::optional<CopyRequest> ParseCommandWords(const std::vector<std::string>& words) {
    static constexpr struct {
        const char* word;
        CopyCommand command;
        bool length;
    } kWords[] = {{"start", CopyCommand::Start, true},    {"pause", CopyCommand::Pause, false},
                  {"resume", CopyCommand::Resume, false}, {"toggle", CopyCommand::Toggle, false},
                  {"reset", CopyCommand::Reset, false},   {"add", CopyCommand::Add, true},
                  {"sub", CopyCommand::Sub, true},        {"countup", CopyCommand::CountUp, false},
                  {"break", CopyCommand::Break, true},    {"status", CopyCommand::Status, false}};
    if (words.empty()) return std::nullopt;
    if (words[0] == "until") {
        const std::optional<std::int32_t> clock = words.size() == 2 ? ParseCommandClock(words[1]) : std::nullopt;
        if (!clock) return std::nullopt;
        return CopyRequest{CopyCommand::Until, *clock};
    }
    for (const auto& w : kWords) {
        if (words[0] != w.word) continue;
        if (words.size() != (w.length ? 2u : 1u)) return std::nullopt;
        if (!w.length) return CopyRequest{w.command, 0};
        const std::optional<std::int32_t> ms = ParseCommandLength(words[1]);
        if (!ms) return std::nullopt;
        return CopyRequest{w.command, *ms};
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
           "  add LENGTH     more time on the count-down or break\n"
           "  sub LENGTH     less time (never below zero)\n"
           "  countup        start counting up\n"
           "  break LENGTH   start a break\n"
           "  until HH:MM    a break until that time of day\n"
           "  status         print the timer as one line of JSON (exit status 1 when no\n"
           "                 Horavel runs)\n"
           "LENGTH: 10m, 90s, 1h30m, 1:30 (minutes:seconds), 1:02:03 or 10 (minutes).\n";
}

std::string StatusJson() {
    const std::int32_t remaining = ShownRemainingMs();
    const std::int32_t reported =
        timerState.mode == CountUp ? SaturateMs(std::int64_t{timerState.durationMs} - remaining) : remaining;
    std::string json = "{\"mode\":\"";
    json += TimerModeName(timerState.mode);
    json += "\",\"phase\":\"";
    json += TimerPhaseName(remaining);
    json += "\",\"text\":" + JsonString(shownTimerText);
    json += ",\"remainingMs\":" + std::to_string(reported);
    json += ",\"meetingStart\":" + JsonString(FormatClock("%hh:%ii", meetingStart, 200));
    json += ",\"meetingEnd\":" + JsonString(FormatClock("%hh:%ii", meetingEnd, 200));
    return json + "}";
}

void PublishTimerStatus() { platform::PublishStatus(StatusJson()); }

std::optional<CopyRequest> TakeCommandLine() {
    const std::vector<std::string> words = platform::CommandLineWords();
    if (words.empty()) return std::nullopt;
    const std::optional<CopyRequest> request = ParseCommandWords(words);
    if (!request) {
        platform::WriteStandardOutput(UsageText());
        platform::EndProcess(2);
    }
    if (request->command == CopyCommand::Status) {
        const std::optional<std::string> status = platform::AskRunningCopyStatus();
        if (status) platform::WriteStandardOutput(*status + "\n");
        platform::EndProcess(status ? 0 : 1);
    }
    if (platform::SendToRunningCopy(static_cast<int>(request->command), request->argument)) platform::EndProcess(0);
    return request;
}

void RunCopyCommand(int command, std::int64_t argument) {
    // Another program sends these: nothing it sends is trusted.
    const bool length = argument >= 0 && argument <= kMaxLengthMs;
    const auto ms = static_cast<std::int32_t>(length ? argument : 0);
    const KeepFocusWhereItIs keep;
    switch (static_cast<CopyCommand>(command)) {
        case CopyCommand::Start:
            if (length) StartCountDownNow(ms);
            break;
        case CopyCommand::Pause: SetPaused(true); break;
        case CopyCommand::Resume: SetPaused(false); break;
        case CopyCommand::Toggle: StartOrPause(); break;
        case CopyCommand::Reset: ResetTimer(); break;
        case CopyCommand::Add:
            if (length) NudgeTimer(ms);
            break;
        case CopyCommand::Sub:
            if (length) NudgeTimer(-ms);
            break;
        case CopyCommand::CountUp: StartCountUp(); break;
        case CopyCommand::Break:
            if (length) StartBreak(ms);
            break;
        case CopyCommand::Until:
            if (argument >= 0 && argument < kSecondsPerDay) StartUntil(NextClock(static_cast<std::int32_t>(argument)));
            break;
        case CopyCommand::Status: break;
    }
}
