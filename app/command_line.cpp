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

constexpr std::int32_t kSecondsPerDay = 86400;

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
    const bool length = argument >= 0 && argument <= kMaxCommandLengthMs;
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
        case CopyCommand::Preset:
            if (argument >= 1 && argument <= 5) SetPresetCountDown(static_cast<int>(argument));
            break;
        case CopyCommand::Status: break;
    }
}
