#pragma once
// The popup menu of the readouts: what it lists, built anew from the present
// values each time before it is shown.
#include <string>
#include <vector>

#include "platform/menu.h"
#include "timekeeping/time_values.h"

// Entry numbers: the commands recognise the entries by them.
namespace menu {
constexpr int StartFirst = 1;         // 16 clock times, then "Custom..."
constexpr int StartCustom = 17;
constexpr int EndFirst = 18;
constexpr int EndCustom = 34;
constexpr int ParticipantsFirst = 35;  // 2 to 30 persons
constexpr int ParticipantsCustom = 64;
constexpr int CountDownFirst = 65;     // 5 to 55 mins
constexpr int CountDownHours = 76;     // 1.0, 1.5 and 2.0 hrs
constexpr int CountDownCustom = 79;
constexpr int CountUp = 80;
constexpr int ReturnInFirst = 81;      // 5 to 60 mins
constexpr int ReturnInCustom = 93;
constexpr int ReturnAtFirst = 94;      // 12 clock times
constexpr int ReturnAtCustom = 106;
constexpr int Pause = 107;
constexpr int Settings = 108;
constexpr int Help = 109;
constexpr int Quit = 110;
}  // namespace menu

// The icons beside the submenu titles and the top-level commands.
namespace menu_icon {
constexpr int MeetingStart = 8;
constexpr int MeetingEnd = 9;
constexpr int Participants = 10;
constexpr int CountDown = 11;
constexpr int CountUp = 12;
constexpr int Break = 13;
constexpr int Settings = 14;
constexpr int Resume = 15;
constexpr int Pause = 16;
constexpr int Help = 17;
constexpr int Quit = 18;
}  // namespace menu_icon

// The menu for the present meeting times, participants, timer and clock.
std::vector<platform::MenuEntry> TimerMenuEntries();

// The first time the "Return at" list offers: the first five-minute step from
// the quarter-hour base that is not earlier than now (a day of steps at most).
TimeValue FirstReturnAtTime();

// The menu as last built.
extern std::vector<platform::MenuEntry> timerMenu;
// Builds the menu, first centring the meeting lists on the present when the
// meeting end is (about) reached.
void BuildTimerMenu();
// Shows the menu at the mouse pointer; returns when it closes.
void ShowTimerMenu();
// The text of an entry of the built menu; empty when there is none.
std::string TimerMenuText(int item);
