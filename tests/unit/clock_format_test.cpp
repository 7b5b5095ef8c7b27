#include "tests/unit/timer_fixture.h"

using ClockTest = TimerTest;

TEST(MakeTimeValue, CountsEveryMonthAndLeapYearRight) {
    EXPECT_EQ(MakeTimeValue(2000, 1, 1, 0, 0, 0), 946684800);
    EXPECT_EQ(MakeTimeValue(2000, 12, 31, 0, 0, 0), 978220800);
    const int lengths2000[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m) {
        const TimeValue next = m == 12 ? MakeTimeValue(2001, 1, 1, 0, 0, 0) : MakeTimeValue(2000, m + 1, 1, 0, 0, 0);
        EXPECT_EQ(next - MakeTimeValue(2000, m, 1, 0, 0, 0), lengths2000[m - 1] * 86400) << "month " << m;
    }
    // Century years are leap years only every 400 years.
    EXPECT_EQ(MakeTimeValue(1900, 3, 1, 0, 0, 0) - MakeTimeValue(1900, 2, 1, 0, 0, 0), 28 * 86400);
}

TEST(ReadInteger, SkipsBlanksTakesASignAndSaturates) {
    EXPECT_EQ(ReadInteger(" \t-12ab"), -12);
    EXPECT_EQ(ReadInteger("+7"), 7);
    EXPECT_EQ(ReadInteger("abc"), 0);
    EXPECT_EQ(ReadInteger("99999999999999999999"), INT32_MAX);
    EXPECT_EQ(ReadInteger("-99999999999999999999"), INT32_MIN);
}

TEST_F(ClockTest, ClockNowKeepsTheDayAndTimeInTheYear2000) {
    EXPECT_EQ(ClockNow(), MakeTimeValue(2000, 3, 14, 10, 7, 30));
    SetClock(2, 29, 23, 59, 59);
    EXPECT_EQ(ClockNow(), MakeTimeValue(2000, 3, 1, 0, 0, 0) - 1);
}

TEST_F(ClockTest, FormatClockIn24And12HourForms) {
    auto at = [](int h, int m) { return MakeTimeValue(2000, 3, 14, h, m, 0); };
    settings.Clock24hr = 1;
    EXPECT_EQ(FormatClock("%hh:%ii", at(9, 5), 50), "09:05");
    EXPECT_EQ(FormatClock("%hh:%ii", at(23, 40), 200), "23:40");
    settings.Clock24hr = 0;
    const std::pair<TimeValue, const char*> cases[] = {
        {at(0, 0), "12:00 AM"}, {at(0, 59), "12:59 AM"}, {at(9, 30), "9:30 AM"},  {at(10, 0), "10:00 AM"},
        {at(12, 0), "12:00 PM"}, {at(12, 30), "12:30 PM"}, {at(13, 5), "1:05 PM"}, {at(22, 0), "10:00 PM"}};
    for (const auto& [time, text] : cases) EXPECT_EQ(FormatClock("%hh:%ii", time, 200), text);
    EXPECT_EQ(FormatClock("%hh:%ii", at(10, 0), 100), "10:00AM");
    EXPECT_EQ(FormatClock("%hh:%ii", at(0, 5), 101), "12:05 AM");
}

TEST_F(ClockTest, ParseClockReadsAmPmOnlyOnA12HourClock) {
    const TimeValue today = MakeTimeValue(2000, 3, 14, 0, 0, 0);
    EXPECT_EQ(ParseClock("2:15 PM"), today + 14 * 3600 + 15 * 60);
    EXPECT_EQ(ParseClock("12:10 AM"), today + 10 * 60);
    EXPECT_EQ(ParseClock("12:30 PM"), today + 12 * 3600 + 30 * 60);
    EXPECT_EQ(ParseClock("2:15 pm"), today + 2 * 3600 + 15 * 60);  // the suffix is case-sensitive
    settings.Clock24hr = 1;
    EXPECT_EQ(ParseClock("2:15 PM"), today + 2 * 3600 + 15 * 60);
    EXPECT_EQ(ParseClock("12:10 AM"), today + 12 * 3600 + 10 * 60);
}

TEST_F(ClockTest, ParseClockTakesTimesMoreThanTwelveHoursBackAsTomorrow) {
    settings.Clock24hr = 1;
    const TimeValue today = MakeTimeValue(2000, 3, 14, 0, 0, 0);
    EXPECT_EQ(ParseClock(""), today);  // 10 h back: still today
    SetClock(3, 14, 14, 16);
    EXPECT_EQ(ParseClock("2:15"), today + 86400 + 2 * 3600 + 15 * 60);
    EXPECT_EQ(ParseClock(""), today + 86400);
    SetClock(3, 14, 14, 15);
    EXPECT_EQ(ParseClock("2:15"), today + 2 * 3600 + 15 * 60);  // exactly twelve hours back stays today
}

TEST_F(ClockTest, ParseClockClampsFieldsOutOfRange) {
    settings.Clock24hr = 1;
    const TimeValue today = MakeTimeValue(2000, 3, 14, 0, 0, 0);
    EXPECT_EQ(ParseClock("25:00"), today + 23 * 3600);
    EXPECT_EQ(ParseClock("10:75"), today + 10 * 3600 + 59 * 60);
    EXPECT_EQ(ParseClock("-3:00"), today);
    EXPECT_EQ(ParseClock("ab:cd"), today);
    EXPECT_EQ(ParseClock("9"), today + 9 * 3600);
    EXPECT_EQ(ParseClock("99999999999:99999"), today + 23 * 3600 + 59 * 60);
    settings.Clock24hr = 0;
    EXPECT_EQ(ParseClock("9 PM"), today + 21 * 3600);
}

TEST_F(ClockTest, DefaultMeetingTimesPicksTheNearestQuarterHour) {
    DefaultMeetingTimes();  // at 10:07:30, exactly half-way: the earlier quarter
    EXPECT_EQ(quarterHourBase, MakeTimeValue(2000, 3, 14, 9, 45, 0));
    EXPECT_EQ(meetingStart, MakeTimeValue(2000, 3, 14, 10, 0, 0));
    EXPECT_EQ(meetingEnd, meetingStart + 3600);

    // Once set, the start stays; the base follows the clock and the end is reset.
    const TimeValue start = meetingStart;
    meetingEnd = start + 60;
    SetClock(3, 14, 11, 40);
    DefaultMeetingTimes();
    EXPECT_EQ(meetingStart, start);
    EXPECT_EQ(meetingEnd, start + 3600);
    EXPECT_EQ(quarterHourBase, MakeTimeValue(2000, 3, 14, 11, 15, 0));
}

TEST_F(ClockTest, DefaultMeetingTimesBeforeTwoCrossesIntoThePreviousDay) {
    SetClock(3, 14, 2, 10);
    DefaultMeetingTimes();
    EXPECT_EQ(quarterHourBase, MakeTimeValue(2000, 3, 14, 1, 45, 0));  // from 00:30, stepped
    EXPECT_EQ(meetingStart, MakeTimeValue(2000, 3, 14, 2, 15, 0));

    struct Case {
        int month, day, hour;
        TimeValue base;
    };
    const Case cases[] = {
        {3, 1, 1, MakeTimeValue(2000, 3, 1, 0, 45, 0)},  // from 23:30 on 29 February
        {3, 1, 0, MakeTimeValue(2000, 2, 29, 23, 45, 0)},
        {5, 1, 0, MakeTimeValue(2000, 4, 30, 23, 45, 0)},
        {1, 1, 1, MakeTimeValue(2000, 1, 1, 0, 45, 0)},  // from 23:30 on 31 December
        {1, 1, 0, MakeTimeValue(1999, 12, 31, 23, 45, 0)},
    };
    for (const Case& c : cases) {
        SetClock(c.month, c.day, c.hour, 10);
        meetingStart = meetingEnd = 0;
        DefaultMeetingTimes();
        EXPECT_EQ(quarterHourBase, c.base) << c.month << "/" << c.day << " " << c.hour << ":10";
        EXPECT_EQ(meetingStart, MakeTimeValue(2000, c.month, c.day, c.hour, 15, 0));
    }
}

TEST_F(ClockTest, MeetingLengthIsNeverZero) {
    meetingStart = meetingEnd = MakeTimeValue(2000, 3, 14, 10, 0, 0);
    EXPECT_EQ(MeetingLengthSeconds(), 1);
    meetingEnd = meetingStart - 600;
    EXPECT_EQ(MeetingLengthSeconds(), 1);
    meetingEnd = meetingStart + 3600;
    EXPECT_EQ(MeetingLengthSeconds(), 3600);
}
