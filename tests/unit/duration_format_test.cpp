#include "tests/unit/timer_fixture.h"

using DurationTest = TimerTest;

TEST_F(DurationTest, TenthsOnlyInAFastPlainCountDownBelowTenSeconds) {
    timerState.mode = CountDown;
    timerState.refreshMs = 100;
    EXPECT_EQ(FormatDuration(0, 300), "0.0");
    EXPECT_EQ(FormatDuration(400, 300), "0.4");
    EXPECT_EQ(FormatDuration(9949, 300), "9.9");
    EXPECT_EQ(FormatDuration(9950, 300), "00:10");
    EXPECT_EQ(FormatDuration(-400, 300), "00:00");  // overtime never shows tenths
    EXPECT_EQ(FormatDuration(5000, 30), "05");      // nor does the narrow bar
    timerState.refreshMs = 200;
    EXPECT_EQ(FormatDuration(0, 300), "00:00");
    timerState.refreshMs = 100;
    for (std::int32_t mode : {CountUp, Break, Until}) {
        timerState.mode = mode;
        EXPECT_EQ(FormatDuration(5000, 300), "00:05");
    }
}

TEST_F(DurationTest, SecondsRoundUpWhileTimeIsLeftAndDownInOvertime) {
    timerState.refreshMs = 1000;
    EXPECT_EQ(FormatDuration(1500, 300), "00:02");
    EXPECT_EQ(FormatDuration(1, 300), "00:01");
    EXPECT_EQ(FormatDuration(-999, 300), "00:00");
    EXPECT_EQ(FormatDuration(-1500, 300), "00:01");
}

TEST_F(DurationTest, MinuteAndSecondFormsSwitchAtTheirThresholds) {
    EXPECT_EQ(FormatDuration(299000, 300), "04:59");
    EXPECT_EQ(FormatDuration(300000, 300), "5 min");
    EXPECT_EQ(FormatDuration(3629000, 300), "60 min");
    EXPECT_EQ(FormatDuration(59000, 30), "59");
    EXPECT_EQ(FormatDuration(60000, 30), "1 m");
    EXPECT_EQ(FormatDuration(150000, 40), "3 m");  // an exact half minute goes up
    EXPECT_EQ(FormatDuration(60000, 41), "01:00");
    EXPECT_EQ(FormatDuration(60000, 0), "01:00");  // no width counts as 100
}

TEST_F(DurationTest, HoursFormRoundsToTheNearestMinuteWithinADay) {
    EXPECT_EQ(FormatDuration(3630000, 300), "1h 0m");  // 1 h 0 min 30 s goes down
    EXPECT_EQ(FormatDuration(3631000, 300), "1h 1m");
    EXPECT_EQ(FormatDuration(3630000, 20), "1h 0m");
    EXPECT_EQ(FormatDuration(3900000, 300), "1h 5m");
    EXPECT_EQ(FormatDuration(36000000, 300), "10h 0m");
    EXPECT_EQ(FormatDuration(45000000, 300), "12h 30m");
    EXPECT_EQ(FormatDuration(90600000, 300), "1h 10m");  // 25 h 10 min
    EXPECT_EQ(FormatDuration(-3631000, 300), "1h 1m");
    EXPECT_EQ(FormatDuration(INT32_MIN, 300), "20h 31m");
}

TEST(ParseDuration, ReadsMinutesAndSecondsAsOneCount) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"", 0}, {"1:30", 90}, {"5", 300}, {"0:45", 45}, {"2.30", 150}, {"1;15", 75}, {"-5:00", 300}, {" 7", 420}};
    for (const auto& [text, count] : cases) EXPECT_EQ(ParseDuration(text), count) << text;
}

TEST(ParseDuration, ClampsHugeInputSoMillisecondsStillFit) {
    EXPECT_EQ(ParseDuration("99999"), MaxDurationCount);
    EXPECT_EQ(ParseDuration("99999999999999999999"), MaxDurationCount);
    EXPECT_EQ(ParseDuration("-99999999999999999999:-5"), MaxDurationCount);
    EXPECT_GT(ParseDuration("99999") * 1000, 0);
    EXPECT_EQ(ParseDuration("35791:23"), 2147483);
}

TEST(FormatMinutesSeconds, ShowsTheMagnitudeAsMinutesAndSeconds) {
    EXPECT_EQ(FormatMinutesSeconds(-90), "01:30");
    EXPECT_EQ(FormatMinutesSeconds(-5), "00:05");
    EXPECT_EQ(FormatMinutesSeconds(0), "00:00");
    EXPECT_EQ(FormatMinutesSeconds(-3600), "60:00");
    EXPECT_EQ(FormatMinutesSeconds(-6000), "100:00");
    EXPECT_EQ(FormatMinutesSeconds(INT32_MIN), "35791394:08");
}
