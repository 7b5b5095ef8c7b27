#include <gtest/gtest.h>

#include <set>

#include "settings/settings.h"
#include "stage/stage_request.h"
#include "stage/stage_tokens.h"

namespace {

TEST(StageRequest, TheTokenIsTheFirstTokenParameterOfTheQuery) {
    struct Case {
        const char* target;
        const char* token;
    };
    const Case cases[] = {
        {"/?token=0123abcd", "0123abcd"},
        {"/state?x=1&token=ab&token=cd", "ab"},
        {"/events?tokens=ab&token=cd", "cd"},
        {"/?token=a%62c", "abc"},
        {"/?to%6Ben=abc", "abc"},
        {"/?token=a+b", "a b"},
        {"/?token=ab%4", "ab%4"},
        {"/?token=ab%zz", "ab%zz"},
        {"/?token=", ""},
        {"/?token", ""},
        {"/", ""},
        {"/?token=ab#cd", "ab"},
        {"/?&&token=ab&", "ab"},
    };
    for (const Case& c : cases) EXPECT_EQ(QueryToken(c.target), c.token) << c.target;
}

TEST(StageRequest, ControlBodiesReadAsTheCommandLinesWords) {
    using C = CopyCommand;
    struct Case {
        const char* body;
        std::optional<CopyRequest> request;
    };
    const Case cases[] = {
        {"toggle", CopyRequest{C::Toggle, 0}},
        {" PAUSE\r\n", CopyRequest{C::Pause, 0}},
        {"resume", CopyRequest{C::Resume, 0}},
        {"reset", CopyRequest{C::Reset, 0}},
        {"add 1m", CopyRequest{C::Add, 60000}},
        {"sub\t 1M", CopyRequest{C::Sub, 60000}},
        {"start 10m", CopyRequest{C::Start, 600000}},
        {"preset 1", CopyRequest{C::Preset, 1}},
        {"preset 5", CopyRequest{C::Preset, 5}},
        {"preset 0", std::nullopt},
        {"preset 6", std::nullopt},
        {"preset 12", std::nullopt},
        {"status", std::nullopt},
        {"start", std::nullopt},
        {"add", std::nullopt},
        {"", std::nullopt},
        {"startx", std::nullopt},
        {"preset 1 2", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseStageCommand(c.body), c.request) << '"' << c.body << '"';
}

TEST(StageTokens, FreshTokensAre32HexDigitsAndDiffer) {
    std::set<std::string> seen;
    for (int i = 0; i < 50; ++i) {
        const std::string t = NewStageToken();
        EXPECT_TRUE(IsStageToken(t)) << t;
        seen.insert(t);
    }
    EXPECT_EQ(seen.size(), 50u);
}

TEST(StageTokens, MissingOrMalformedTokensAreMadeAndGoodOnesKept) {
    Settings s;
    const std::string good = "0123456789abcdef0123456789ABCDEF";
    s.StageViewToken = good;
    s.StageControlToken = "short";
    EXPECT_TRUE(EnsureStageTokens(s));
    EXPECT_EQ(s.StageViewToken, good);
    EXPECT_TRUE(IsStageToken(s.StageControlToken));
    EXPECT_FALSE(EnsureStageTokens(s));
    s.StageViewToken.clear();
    EXPECT_TRUE(EnsureStageTokens(s));
    EXPECT_TRUE(IsStageToken(s.StageViewToken));
    EXPECT_NE(s.StageViewToken, s.StageControlToken);

    const std::string oldView = s.StageViewToken, oldControl = s.StageControlToken;
    EXPECT_TRUE(RenewStageTokens(s));
    EXPECT_NE(s.StageViewToken, oldView);
    EXPECT_NE(s.StageControlToken, oldControl);
}

TEST(StageTokens, OnlyTheWholeStoredTokenMatches) {
    const std::string stored = "00112233445566778899aabbccddeeff";
    struct Case {
        std::string given, stored;
        bool match;
    };
    const Case cases[] = {
        {stored, stored, true},
        {"00112233445566778899aabbccddeefe", stored, false},
        {stored.substr(0, 31), stored, false},
        {stored + "0", stored, false},
        {"", stored, false},
        {"", "", false},
        {"00112233445566778899AABBCCDDEEFF", stored, false},
    };
    for (const Case& c : cases) EXPECT_EQ(TokenMatches(c.given, c.stored), c.match) << c.given;
}

}  // namespace
