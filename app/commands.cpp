#include "app/commands.h"

#include <algorithm>
#include <optional>

#include "app/hotkeys.h"
#include "app/main_window.h"
#include "app/placement.h"
#include "app/timer_engine.h"
#include "display/layout.h"
#include "lang/messages.h"
#include "platform/menu.h"
#include "platform/screen.h"
#include "platform/files.h"
#include "platform/system.h"
#include "resources/embedded.h"
#include "settings/about_panel.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/settings_window.h"
#include "stage/stage_view.h"
#include "timekeeping/time_values.h"
#include "timekeeping/timer_menu.h"

namespace {

constexpr int MenuClockWidth = 200;
constexpr int HoursMinutes = 87;    // "(Hrs:Min)"
constexpr int MinutesSeconds = 88;  // "(Min:Sec)"

void OpenSettings() {
    platform::SetMainWindowTopMost(false);
    windowMetrics.lastOnTop = 0;
    ReleaseHotkeys();
    OpenSettingsWindow();
    RunSettingsWindow();
    RegisterHotkeys();
    ApplyStageViewSettings();
    layoutState.relayoutRequested = 1;
    LayoutReadouts(0);
    SetPresetCaptions();
}

// What the user answered; nothing when the prompt was cancelled.
std::optional<std::string> Ask(const std::string& title, const std::string& question, const std::string& answer) {
    return platform::InputPrompt({title, question, answer, Message(1), Message(2)});
}

// Asks for a custom time: "Enter Custom Time" and the unit the answer is read in.
std::optional<std::string> AskTime(int titleMessage, int unitMessage, const std::string& answer) {
    return Ask(Message(titleMessage), Message(86) + " " + Message(unitMessage), answer);
}

std::string ClockText(TimeValue t) { return FormatClock("%hh:%ii", t, MenuClockWidth); }

// The whole minutes an entry such as "25 mins" begins with, in milliseconds.
std::int32_t EntryMinutesMs(int item) { return SaturateMs(std::int64_t{ReadInteger(TimerMenuText(item))} * 60000); }

std::int32_t TypedDurationMs(const std::string& answer) { return ParseDuration(answer) * 1000; }

bool In(int item, int first, int last) { return item >= first && item <= last; }

// The user's guide the program carries, written into the settings folder and
// opened from there, so that help needs no network; the guide on the web when
// the file cannot be written.
void OpenHelp() {
    const std::span<const unsigned char> guide = FindEmbeddedResource("generated/help.html");
    const std::string path = SettingsFolder + "Horavel Help.html";
    if (!guide.empty() && platform::WriteFileAtomically(path, std::string(guide.begin(), guide.end()))) {
        platform::OpenDocument(path);
    } else {
        platform::OpenWebPage(std::string(about::HelpPage));
    }
}

}  // namespace

// A cancelled prompt changes nothing; an empty answer reads as 0 or 00:00.
bool RunMenuCommand(int item) {
    if (In(item, menu::StartFirst, menu::StartCustom - 1)) {
        meetingStart = ParseClock(TimerMenuText(item));
    } else if (item == menu::StartCustom) {
        if (const auto answer = AskTime(95, HoursMinutes, ClockText(meetingStart))) meetingStart = ParseClock(*answer);
    } else if (In(item, menu::EndFirst, menu::EndCustom - 1)) {
        meetingEnd = ParseClock(TimerMenuText(item));
    } else if (item == menu::EndCustom) {
        if (const auto answer = AskTime(97, HoursMinutes, ClockText(meetingEnd))) meetingEnd = ParseClock(*answer);
    } else if (In(item, menu::ParticipantsFirst, menu::ParticipantsCustom - 1)) {
        settings.NumOfParticipants = ReadInteger(TimerMenuText(item));
    } else if (item == menu::ParticipantsCustom) {
        // A negative head count would make the meeting earn money.
        if (const auto answer = Ask("Horavel", Message(98), std::to_string(settings.NumOfParticipants)))
            settings.NumOfParticipants = std::max(0, ReadInteger(*answer));
    } else if (In(item, menu::CountDownFirst, menu::CountDownHours - 1)) {
        SetCountDown(EntryMinutesMs(item));
    } else if (In(item, menu::CountDownHours, menu::CountDownCustom - 1)) {
        SetCountDown(3600000 + (item - menu::CountDownHours) * 1800000);
    } else if (item == menu::CountDownCustom) {
        if (const auto answer = AskTime(99, MinutesSeconds, "")) SetCountDown(TypedDurationMs(*answer));
    } else if (item == menu::CountUp) {
        StartCountUp();
    } else if (In(item, menu::ReturnInFirst, menu::ReturnInCustom - 1)) {
        StartBreak(EntryMinutesMs(item));
    } else if (item == menu::ReturnInCustom) {
        if (const auto answer = AskTime(101, MinutesSeconds, "")) StartBreak(TypedDurationMs(*answer));
    } else if (In(item, menu::ReturnAtFirst, menu::ReturnAtCustom - 1)) {
        StartUntil(ParseClock(TimerMenuText(item)));
    } else if (item == menu::ReturnAtCustom) {
        // Offers the first time of the "Return at" list.
        if (const auto answer = AskTime(101, HoursMinutes, ClockText(FirstReturnAtTime())))
            StartUntil(ParseClock(*answer));
    } else if (item == menu::Pause) {
        TogglePause();
    } else if (item == menu::Settings) {
        OpenSettings();
    } else if (item == menu::Help) {
        OpenHelp();
    } else if (item == menu::Quit) {
        return true;
    }
    return false;
}
