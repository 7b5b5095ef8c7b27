#include <gtest/gtest.h>

#include <climits>

#include "settings/ini_file.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

std::optional<std::string> ValueIn(std::string_view bytes, std::string_view group, std::string_view key) {
    const std::vector<IniGroup> groups = ParseIni(bytes);
    const IniGroup* g = FindIniGroup(groups, group);
    return g ? FindIniValue(*g, key) : std::nullopt;
}

}  // namespace

TEST(ParseIni, SplitsLinesAtCrLfAndCrLfAndSkipsLeadingBlanks) {
    const auto groups = ParseIni("[G]\ra=1\nb=2\r\n\r\n \t c=3\n\n\rd=4");
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].entries, (Entries{{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}}));
}

TEST(ParseIni, TrimsKeysAndValuesOfBlanksAndTabsOnly) {
    const auto groups = ParseIni("[G]\nkey \t=\t  some value \t \nother=\v x\v\n");
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].entries, (Entries{{"key", "some value"}, {"other", "\v x\v"}}));
}

TEST(ParseIni, KeyRunsToTheFirstEqualsSign) {
    EXPECT_EQ(ValueIn("[G]\nk=a=b\n", "G", "k"), "a=b");
    EXPECT_EQ(ValueIn("[G]\nk=\n", "G", "k"), "");
}

TEST(ParseIni, IgnoresCommentsLinesWithoutEqualsAndKeysBeforeTheFirstGroup) {
    const auto groups = ParseIni("early=1\n;[Fake]\n[G]\n;k=commented\n  ; x=2\njust text\nk=v\n");
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].name, "G");
    EXPECT_EQ(groups[0].entries, (Entries{{"k", "v"}}));
}

TEST(ParseIni, GroupNameRunsToTheFirstBracketOrTheEndOfTheLine) {
    const auto groups = ParseIni("[One] trailing = ignored\n[Two\n  [Three]]x\n");
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].name, "One");
    EXPECT_TRUE(groups[0].entries.empty());
    EXPECT_EQ(groups[1].name, "Two");
    EXPECT_EQ(groups[2].name, "Three");
}

TEST(ParseIni, LooksUpWithoutCaseAndTheFirstOccurrenceWins) {
    const std::string file = "[horavel]\nKEY=first\nkey=second\n[Other]\nonly=here\n[HORAVEL]\nlate=1\n";
    EXPECT_EQ(ValueIn(file, "Horavel", "Key"), "first");
    EXPECT_EQ(ValueIn(file, "Horavel", "late"), std::nullopt);  // the second group of the name is never read
    EXPECT_EQ(ValueIn(file, "Horavel", "only"), std::nullopt);  // keys stay in their group
    EXPECT_EQ(ValueIn(file, "other", "ONLY"), "here");
    EXPECT_EQ(ValueIn(file, "Missing", "key"), std::nullopt);
}

TEST(DecodeIniBytes, ByteOrderMarkMeansUtf8AndOtherwiseLatin1) {
    EXPECT_EQ(DecodeIniBytes("\xEF\xBB\xBF" "Fran\xC3\xA7" "ais"), "Fran\xC3\xA7" "ais");
    EXPECT_EQ(DecodeIniBytes("Fran\xC3\xA7" "ais"), "Fran\xC3\x83\xC2\xA7" "ais");
    EXPECT_EQ(DecodeIniBytes("\xE9\xFF\x80"), "\xC3\xA9\xC3\xBF\xC2\x80");
    EXPECT_EQ(DecodeIniBytes(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(DecodeIniBytes, ReplacesMalformedUtf8) {
    const std::string fffd = "\xEF\xBF\xBD";
    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(DecodeIniBytes(bom + "a\x80z"), "a" + fffd + "z");                  // stray continuation
    EXPECT_EQ(DecodeIniBytes(bom + "\xC0\xAF"), fffd + fffd);                     // overlong
    EXPECT_EQ(DecodeIniBytes(bom + "\xED\xA0\x80"), fffd + fffd + fffd);          // surrogate
    EXPECT_EQ(DecodeIniBytes(bom + "\xF4\x90\x80\x80"), fffd + fffd + fffd + fffd);  // above U+10FFFF
    EXPECT_EQ(DecodeIniBytes(bom + "\xE2\x82z"), fffd + "z");                    // cut short
    EXPECT_EQ(DecodeIniBytes(bom + "x\xF0\x9F\x98"), "x" + fffd);                 // cut at the end
    EXPECT_EQ(DecodeIniBytes(bom + "\xF0\x9F\x98\x80\xE2\x82\xAC"), "\xF0\x9F\x98\x80\xE2\x82\xAC");
}

TEST(ParseIni, SurvivesAMegabyteLineAndBinaryGarbage) {
    std::string big = "[G]\nk=" + std::string(1 << 20, 'x') + "\nnext=1\n";
    const auto groups = ParseIni(big);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(FindIniValue(groups[0], "k")->size(), 1u << 20);
    EXPECT_EQ(FindIniValue(groups[0], "next"), "1");

    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919) & 0xFF);
    for (const IniGroup& g : ParseIni(garbage)) {
        for (const auto& [k, v] : g.entries) {
            EXPECT_EQ(k.find_first_of("\r\n"), std::string::npos);
            EXPECT_EQ(v.find_first_of("\r\n"), std::string::npos);
        }
    }
}

TEST(ParseLeadingInteger, ReadsSignAndDigitsUpToTheFirstOtherCharacter) {
    EXPECT_EQ(ParseLeadingInteger("12"), 12);
    EXPECT_EQ(ParseLeadingInteger("-90"), -90);
    EXPECT_EQ(ParseLeadingInteger("+7"), 7);
    EXPECT_EQ(ParseLeadingInteger("12 apples"), 12);
    EXPECT_EQ(ParseLeadingInteger("007"), 7);
    EXPECT_EQ(ParseLeadingInteger("apples"), 0);
    EXPECT_EQ(ParseLeadingInteger(""), 0);
    EXPECT_EQ(ParseLeadingInteger("-"), 0);
    EXPECT_EQ(ParseLeadingInteger("--5"), 0);
    EXPECT_EQ(ParseLeadingInteger(" 5"), 0);
}

TEST(ParseLeadingInteger, SaturatesAtTheEndsOf32Bits) {
    EXPECT_EQ(ParseLeadingInteger("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseLeadingInteger("2147483648"), INT32_MAX);
    EXPECT_EQ(ParseLeadingInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseLeadingInteger("-2147483649"), INT32_MIN);
    EXPECT_EQ(ParseLeadingInteger(std::string(100000, '9')), INT32_MAX);
    EXPECT_EQ(ParseLeadingInteger("-" + std::string(100000, '9')), INT32_MIN);
}

TEST(FormatIni, WritesByteOrderMarkEmptyLineGroupAndKeyLines) {
    const IniGroup group{"G", {{"a", "1"}, {"Text key", "x y"}, {"empty", ""}}};
    EXPECT_EQ(FormatIni(group), "\xEF\xBB\xBF\r\n[G]\r\na = 1\r\nText key = x y\r\nempty = \r\n");
    const auto back = ParseIni(FormatIni(group));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].name, group.name);
    EXPECT_EQ(back[0].entries, group.entries);
}
