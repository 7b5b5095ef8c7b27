// The popup menu as built from the present values, on the fake clock at 10:07:30.
#include <gtest/gtest.h>

#include "lang/messages.h"
#include "tests/support/fake_shell.h"
#include "tests/unit/timer_fixture.h"
#include "timekeeping/timer_menu.h"

namespace {

using platform::MenuEntry;

const MenuEntry* Find(const std::vector<MenuEntry>& entries, int item) {
    for (const MenuEntry& e : entries) {
        if (e.item == item) return &e;
        if (const MenuEntry* inner = Find(e.children, item)) return inner;
    }
    return nullptr;
}

class TimerMenu : public TimerTest {
protected:
    void SetUp() override {
        TimerTest::SetUp();
        fake::ResetShell();
        LoadLanguage("English");
        DefaultMeetingTimes();
        InitTimerState();
        BuildTimerMenu();
    }
    static std::string Text(int item) { return TimerMenuText(item); }
    static std::vector<int> Checked(int first, int last) {
        std::vector<int> checked;
        for (int i = first; i <= last; ++i)
            if (Find(timerMenu, i)->checked) checked.push_back(i);
        return checked;
    }
};

}  // namespace

TEST_F(TimerMenu, ListsAreCentredOnTheStartTime) {
    EXPECT_EQ(Text(1), "9:45 AM");
    EXPECT_EQ(Text(2), "10:00 AM");
    EXPECT_EQ(Text(16), "1:30 PM");
    EXPECT_EQ(Text(17), "Custom...");
    EXPECT_EQ(Checked(1, 17), std::vector<int>{2});
    // Six quarter hours, on to the next half hour, then half hours.
    const char* ends[] = {"10:30 AM", "10:45 AM", "11:00 AM", "11:15 AM", "11:30 AM", "11:45 AM",
                          "12:00 PM", "12:30 PM", "1:00 PM",  "1:30 PM",  "2:00 PM",  "2:30 PM",
                          "3:00 PM",  "3:30 PM",  "4:00 PM",  "4:30 PM"};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(Text(18 + i), ends[i]) << i;
    EXPECT_EQ(Checked(18, 34), std::vector<int>{20});
    EXPECT_EQ(Text(94), "10:10 AM");
    EXPECT_EQ(Text(105), "11:05 AM");
    EXPECT_EQ(Text(106), "Custom...");
}

TEST_F(TimerMenu, ItemsAndSubmenusInTheirOrderWithIcons) {
    const std::vector<MenuEntry>& m = timerMenu;
    ASSERT_EQ(m.size(), 16u);
    const std::pair<std::string, int> top[] = {
        {"Meeting Start Time", 8}, {"Meeting End Time", 9}, {"", -1},        {"Number of Participants", 10},
        {"", -1},                  {"Set Count Down Timer", 11}, {"Start Count Up Timer", 12},
        {"Start Break Timer", 13}, {"", -1}, {"Resume Timer", 15}, {"", -1}, {"Settings", 14}, {"", -1},
        {"Help", 17},              {"", -1}, {"Quit", 18}};
    for (std::size_t i = 0; i < m.size(); ++i) {
        EXPECT_EQ(m[i].text, top[i].first) << i;
        EXPECT_EQ(m[i].icon, top[i].second) << i;
    }
    EXPECT_EQ(m[0].children.size(), 18u);  // 16 times, separator, "Custom..."
    EXPECT_TRUE(m[0].children[16].IsSeparator());
    EXPECT_EQ(m[3].children.size(), 31u);
    EXPECT_EQ(Text(35), "2 persons");
    EXPECT_EQ(Text(63), "30 persons");
    EXPECT_EQ(Checked(35, 64), std::vector<int>{43});  // 10 persons, the default
    const std::vector<MenuEntry>& countDown = m[5].children;
    ASSERT_EQ(countDown.size(), 17u);
    EXPECT_EQ(countDown[0].text, "5 mins");
    EXPECT_EQ(countDown[10].text, "55 mins");
    EXPECT_TRUE(countDown[11].IsSeparator());
    EXPECT_EQ(countDown[12].text, "1.0 hrs");
    EXPECT_EQ(countDown[13].text, "1.5 hrs");
    EXPECT_EQ(countDown[14].text, "2.0 hrs");
    EXPECT_EQ(countDown[16].item, 79);
    EXPECT_EQ(m[6].item, 80);
    ASSERT_EQ(m[7].children.size(), 2u);
    EXPECT_EQ(m[7].children[0].text, "Return in");
    EXPECT_EQ(m[7].children[1].text, "Return at");
    EXPECT_EQ(Text(81), "5 mins");
    EXPECT_EQ(Text(92), "60 mins");
    EXPECT_EQ(Text(93), "Custom...");
    EXPECT_EQ(m[9].item, 107);
    EXPECT_EQ(m[11].item, 108);
    EXPECT_EQ(m[13].item, 109);
    EXPECT_EQ(m[15].item, 110);

    TogglePause();  // running: "Pause Timer" with the pause icon
    BuildTimerMenu();
    EXPECT_EQ(Text(107), "Pause Timer");
    EXPECT_EQ(Find(timerMenu, 107)->icon, 16);
}

TEST_F(TimerMenu, UnlistedValuesShowInACheckedCustomEntry) {
    meetingStart = ParseClock("10:10");
    meetingEnd = ParseClock("5:00 PM");
    settings.NumOfParticipants = 45;
    BuildTimerMenu();
    EXPECT_EQ(Text(17), "Custom... (10:10 AM)");
    EXPECT_EQ(Checked(1, 17), std::vector<int>{17});
    EXPECT_EQ(Text(34), "Custom... (5:00 PM)");
    EXPECT_EQ(Checked(18, 34), std::vector<int>{34});
    EXPECT_EQ(Text(64), "Custom... (45 persons)");
    EXPECT_EQ(Checked(35, 64), std::vector<int>{64});
    settings.NumOfParticipants = 1;  // below the list: nothing checked
    BuildTimerMenu();
    EXPECT_EQ(Text(64), "Custom...");
    EXPECT_TRUE(Checked(35, 64).empty());
}

TEST_F(TimerMenu, FollowsTheLanguageAnd24HourClock) {
    settings.Clock24hr = 1;
    LoadLanguage("Deutsch");
    BuildTimerMenu();
    EXPECT_EQ(timerMenu[0].text, Message(95));
    EXPECT_NE(timerMenu[0].text, "Meeting Start Time");
    EXPECT_EQ(Text(1), "09:45");
    EXPECT_EQ(Text(66), "10 mins");  // numerals and suffixes are fixed
    EXPECT_EQ(Text(36), "3 " + Message(89));
}

TEST_F(TimerMenu, PastTheMeetingEndTheListsMoveToThePresent) {
    SetClock(3, 14, 13, 2);
    timerState.sampleTime = ClockNow();  // the last refresh: past the 11:00 end
    BuildTimerMenu();
    EXPECT_EQ(Text(1), "12:30 PM");
    EXPECT_EQ(Checked(1, 17), std::vector<int>{17});  // the meeting start stays 10:00
    EXPECT_EQ(Text(17), "Custom... (10:00 AM)");
    EXPECT_EQ(Text(18), "1:15 PM");  // the end follows one hour after the start...
    EXPECT_EQ(Text(34), "Custom... (11:00 AM)");  // ...which lies before the list
    EXPECT_EQ(Text(94), "1:05 PM");
}

TEST_F(TimerMenu, ReturnAtStepsAtMostADayFromTheBase) {
    quarterHourBase -= 2 * 86400;  // a base far in the past
    BuildTimerMenu();
    // 288 five-minute steps from 9:45 two days ago end at 9:45 yesterday.
    EXPECT_EQ(Text(94), "9:45 AM");
}

TEST_F(TimerMenu, ShowingHandsTheBuiltMenuToThePlatform) {
    ShowTimerMenu();
    ASSERT_EQ(fake::shell.menus.size(), 1u);
    EXPECT_EQ(fake::shell.menus[0].size(), timerMenu.size());
    EXPECT_EQ(fake::shell.menus[0][0].children[1].text, "10:00 AM");
}
