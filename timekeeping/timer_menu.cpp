#include "timekeeping/timer_menu.h"

#include <cstdio>

#include "app/timer_engine.h"
#include "lang/messages.h"
#include "settings/settings.h"
#include "timekeeping/time_values.h"

std::vector<platform::MenuEntry> timerMenu;

namespace {

using platform::MenuEntry;

constexpr TimeValue QuarterHour = 900;
constexpr TimeValue FiveMinutes = 300;
constexpr int MenuWidth = 200;  // wide enough for "9:30 AM"

std::string Clock(TimeValue t) { return FormatClock("%hh:%ii", t, MenuWidth); }

MenuEntry Item(int item, std::string text, bool checked = false) {
    MenuEntry e;
    e.item = item;
    e.text = std::move(text);
    e.checked = checked;
    return e;
}

MenuEntry Separator() { return MenuEntry{}; }

MenuEntry Submenu(int message, int icon, std::vector<MenuEntry> children) {
    MenuEntry e;
    e.text = Message(message);
    e.icon = icon;
    e.children = std::move(children);
    return e;
}

MenuEntry WithIcon(MenuEntry e, int icon) {
    e.icon = icon;
    return e;
}

std::string Custom() { return Message(96); }

std::string Persons(std::int32_t n) { return std::to_string(n) + " " + Message(89); }

// A list of clock times with the chosen one checked and, when the chosen time
// is not listed, a checked custom entry that names it.
std::vector<MenuEntry> TimeList(int first, const TimeValue (&times)[16], TimeValue chosen) {
    std::vector<MenuEntry> list;
    bool listed = false;
    for (int i = 0; i < 16; ++i) {
        listed = listed || times[i] == chosen;
        list.push_back(Item(first + i, Clock(times[i]), times[i] == chosen));
    }
    list.push_back(Separator());
    list.push_back(listed ? Item(first + 16, Custom()) : Item(first + 16, Custom() + " (" + Clock(chosen) + ")", true));
    return list;
}

std::vector<MenuEntry> StartTimes() {
    TimeValue times[16];
    for (int i = 0; i < 16; ++i) times[i] = quarterHourBase + i * QuarterHour;
    return TimeList(menu::StartFirst, times, meetingStart);
}

// Six quarter hours, then on to the next full or half hour, then half hours.
std::vector<MenuEntry> EndTimes() {
    TimeValue times[16];
    TimeValue t = quarterHourBase + 1800;
    for (int i = 0; i < 16; ++i) {
        if (i < 6) {
            t += QuarterHour;
        } else if (i == 6) {
            t += QuarterHour;
            while (TimeOfDayOf(t).minute % 30 != 0) t += QuarterHour;
        } else {
            t += 1800;
        }
        times[i] = t;
    }
    return TimeList(menu::EndFirst, times, meetingEnd);
}

std::vector<MenuEntry> Participants() {
    std::vector<MenuEntry> list;
    const std::int32_t chosen = settings.NumOfParticipants;
    for (int n = 2; n <= 30; ++n) list.push_back(Item(menu::ParticipantsFirst + n - 2, Persons(n), n == chosen));
    list.push_back(Separator());
    list.push_back(chosen > 30 ? Item(menu::ParticipantsCustom, Custom() + " (" + Persons(chosen) + ")", true)
                               : Item(menu::ParticipantsCustom, Custom()));
    return list;
}

std::vector<MenuEntry> CountDowns() {
    std::vector<MenuEntry> list;
    for (int k = 1; k <= 11; ++k) list.push_back(Item(menu::CountDownFirst + k - 1, std::to_string(5 * k) + " mins"));
    list.push_back(Separator());
    for (int k = 2; k <= 4; ++k) {
        char hours[16];
        std::snprintf(hours, sizeof hours, "%.1f hrs", k / 2.0);
        list.push_back(Item(menu::CountDownHours + k - 2, hours));
    }
    list.push_back(Separator());
    list.push_back(Item(menu::CountDownCustom, Custom()));
    return list;
}

std::vector<MenuEntry> ReturnIn() {
    std::vector<MenuEntry> list;
    for (int k = 1; k <= 12; ++k) list.push_back(Item(menu::ReturnInFirst + k - 1, std::to_string(5 * k) + " mins"));
    list.push_back(Separator());
    list.push_back(Item(menu::ReturnInCustom, Custom()));
    return list;
}

// Twelve five-minute steps.
std::vector<MenuEntry> ReturnAt() {
    const TimeValue t = FirstReturnAtTime();
    std::vector<MenuEntry> list;
    for (int k = 0; k < 12; ++k) list.push_back(Item(menu::ReturnAtFirst + k, Clock(t + k * FiveMinutes)));
    list.push_back(Separator());
    list.push_back(Item(menu::ReturnAtCustom, Custom()));
    return list;
}

const MenuEntry* Find(const std::vector<MenuEntry>& entries, int item) {
    for (const MenuEntry& e : entries) {
        if (e.item == item) return &e;
        if (const MenuEntry* inner = Find(e.children, item)) return inner;
    }
    return nullptr;
}

}  // namespace

TimeValue FirstReturnAtTime() {
    const TimeValue now = ClockNow();
    TimeValue t = quarterHourBase;
    for (int steps = 0; steps < 288 && t < now; ++steps) t += FiveMinutes;
    return t;
}

std::vector<MenuEntry> TimerMenuEntries() {
    const bool paused = timerState.paused != 0;
    return {
        Submenu(95, menu_icon::MeetingStart, StartTimes()),
        Submenu(97, menu_icon::MeetingEnd, EndTimes()),
        Separator(),
        Submenu(98, menu_icon::Participants, Participants()),
        Separator(),
        Submenu(99, menu_icon::CountDown, CountDowns()),
        WithIcon(Item(menu::CountUp, Message(100)), menu_icon::CountUp),
        Submenu(101, menu_icon::Break, {Submenu(102, -1, ReturnIn()), Submenu(103, -1, ReturnAt())}),
        Separator(),
        WithIcon(Item(menu::Pause, PauseMenuText()), paused ? menu_icon::Resume : menu_icon::Pause),
        Separator(),
        WithIcon(Item(menu::Settings, Message(113)), menu_icon::Settings),
        Separator(),
        WithIcon(Item(menu::Help, Message(193)), menu_icon::Help),
        Separator(),
        WithIcon(Item(menu::Quit, Message(114)), menu_icon::Quit),
    };
}

void BuildTimerMenu() {
    if (timerState.sampleTime >= meetingEnd - 15) DefaultMeetingTimes();
    timerMenu = TimerMenuEntries();
}

void ShowTimerMenu() { platform::ShowPopupMenu(timerMenu); }

std::string TimerMenuText(int item) {
    const MenuEntry* e = Find(timerMenu, item);
    return e ? e->text : std::string();
}
