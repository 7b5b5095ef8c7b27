#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lang/language_file.h"
#include "lang/messages.h"
#include "resources/embedded.h"
#include "settings/settings_store.h"
#include "tests/support/fake_platform.h"

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeader(kLanguageFileHeader);

std::string BuiltIn(std::string_view name) {
    const auto bytes = FindEmbeddedResource("lang/" + std::string(name) + "_v167.txt");
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// The message lines of a built-in table as they are stored, number included:
// everything after the byte-order mark and the header, split at CR LF. A last
// line without its CR LF still counts.
std::vector<std::string> MessageLines(const std::string& table) {
    std::vector<std::string> lines;
    const std::string start = kBom + kHeader + "\r\n";
    if (!table.starts_with(start)) return lines;
    std::string_view rest = std::string_view(table).substr(start.size());
    while (!rest.empty()) {
        const std::size_t end = rest.find("\r\n");
        lines.emplace_back(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
    }
    return lines;
}

std::string TextOf(const std::string& line) { return line.size() > 4 ? line.substr(4) : std::string(); }

struct TableCase {
    const char* label;  // ASCII, for the test's name
    const char* name;
    // Messages whose English text is also the word in this language.
    std::set<int> sameAsEnglish;
    // A few texts that tell this table from the others: Cancel, the two signs, Settings.
    std::vector<std::pair<int, const char*>> telling;
};

// Names the case by its language in the test's output.
void PrintTo(const TableCase& t, std::ostream* out) { *out << t.label; }

const TableCase kTables[] = {
    {"ChineseSimplified", "Chinese Simplified", {9, 226},
     {{2, "取消"}, {92, "警告"}, {93, "结束"}, {113, "设置"}}},
    {"Czech", "Czech", {1, 9, 57, 59, 60, 244},
     {{2, "Storno"}, {92, "VAROVÁNÍ"}, {93, "KONEC"}, {113, "Nastavení"}}},
    {"Deutsch", "Deutsch", {1, 9, 52, 57, 59, 60, 67, 206, 244},
     {{2, "Abbruch"}, {92, "WARNUNG"}, {93, "ENDE"}, {113, "Einstellungen"}}},
    {"Espanol", "Español", {3, 9, 51, 57, 59, 249},
     {{2, "Cancelar"}, {92, "PRECAUCIÓN"}, {93, "FINALIZADO"}, {113, "Configuración"}}},
    {"Francais", "Français", {1, 9, 51, 56, 57, 59, 67, 213, 225, 244},
     {{2, "Annuler"}, {92, "AVERTISSEMENT"}, {93, "FINI"}, {113, "Paramètres"}}},
    {"Japanese", "Japanese", {1, 9, 226},
     {{2, "キャンセル"}, {92, "警告"}, {93, "終了"}, {113, "設定"}}},
    {"Italiano", "Italiano", {1, 9, 57, 59, 213, 225, 226},
     {{2, "Annulla"}, {92, "AVVISO"}, {93, "TERMINATO"}, {113, "Impostazioni"}}},
    {"Portugues", "Português", {1, 9, 57, 213, 225, 226},
     {{2, "Cancelar"}, {92, "AVISO"}, {93, "TERMINADO"}, {113, "Definições"}}},
    {"PortuguesBR", "PortuguêsBR", {1, 9, 57, 213, 225, 226},
     {{2, "Cancelar"}, {92, "AVISO"}, {93, "FINALIZADO"}, {113, "Configurações"}}},
};

// Messages shown side by side as the entries of one list, or as the titles of
// the settings window's tabs: two equal texts there would be two choices the
// user cannot tell apart.
const std::vector<std::vector<int>> kShownTogether = {
    {10, 11, 12, 13},              // salary period
    {15, 16, 17, 18},              // start-up location
    {20, 21, 22, 23},              // start-up height
    {37, 38, 39, 40, 41, 42, 43, 44},  // warning time
    {50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68, 69},  // sounds
    {72, 73, 74, 75, 76, 77, 78, 79},  // break length
    {3, 111, 49, 26, 33, 200, 241, 46},  // tabs
    {112, 206, 207, 208, 209, 210, 211, 212, 213},  // the hotkeys' commands
    {202, 203, 204, 205},               // the notes beside a hotkey
    {95, 97, 98, 99, 100, 101, 104, 105, 113, 193, 114},  // the timer menu
    {102, 103},                         // the break's two submenus
};

class LanguageTable : public ::testing::TestWithParam<TableCase> {
protected:
    void SetUp() override {
        fake::Reset();
        SettingsFolder = "C:\\Users\\tester\\AppData\\Roaming\\Horavel\\";
    }
};

TEST_P(LanguageTable, HasTheEnglishShapeWithEveryTextTranslated) {
    const TableCase& t = GetParam();
    const std::vector<std::string> english = MessageLines(BuiltIn("English"));
    const std::vector<std::string> lines = MessageLines(BuiltIn(t.name));
    ASSERT_EQ(english.size(), static_cast<std::size_t>(kMessageCount - 1));
    ASSERT_EQ(lines.size(), english.size()) << "the byte-order mark, the header, then one line per message";

    for (int n = 1; n < kMessageCount; ++n) {
        SCOPED_TRACE("message " + std::to_string(n));
        const std::string& line = lines[n - 1];
        char number[8];
        std::snprintf(number, sizeof number, "%03d-", n);
        ASSERT_TRUE(line.starts_with(number)) << line;
        const std::string text = TextOf(line), englishText = TextOf(english[n - 1]);
        EXPECT_EQ(text.empty(), englishText.empty()) << text;
        for (const char* placeholder : {"[ERROR_CODE]", "[PERCENT]"})
            EXPECT_EQ(text.find(placeholder) != std::string::npos, englishText.find(placeholder) != std::string::npos)
                << text;
        if (!text.empty()) {
            EXPECT_NE(text.front(), ' ') << "a space the code does not expect";
            EXPECT_NE(text.back(), ' ') << "a space the code does not expect";
        }
        if (t.sameAsEnglish.count(n)) {
            EXPECT_EQ(text, englishText) << "listed as the same word in this language";
        } else if (!englishText.empty()) {
            EXPECT_NE(text, englishText) << "still English";
        }
    }
}

TEST_P(LanguageTable, LoadsAsStoredAndEachListShowsDistinctTexts) {
    const TableCase& t = GetParam();
    const std::vector<std::string> lines = MessageLines(BuiltIn(t.name));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kMessageCount - 1));
    LoadLanguage(t.name);
    // What the program shows is what the file holds: valid UTF-8 decodes to itself.
    for (int n = 1; n < kMessageCount; ++n) EXPECT_EQ(Message(n), TextOf(lines[n - 1])) << "message " << n;
    EXPECT_EQ(Message(kMessageCount), "");
    for (const auto& [n, text] : t.telling) EXPECT_EQ(Message(n), text) << "message " << n;

    for (const std::vector<int>& group : kShownTogether) {
        for (std::size_t i = 0; i < group.size(); ++i)
            for (std::size_t j = i + 1; j < group.size(); ++j)
                EXPECT_NE(Message(group[i]), Message(group[j])) << "messages " << group[i] << " and " << group[j];
    }
}

INSTANTIATE_TEST_SUITE_P(Tables, LanguageTable, ::testing::ValuesIn(kTables),
                         [](const ::testing::TestParamInfo<TableCase>& info) { return std::string(info.param.label); });

TEST(LanguageTables, EachLanguageHasATableOfItsOwn) {
    std::set<std::string> tables;
    for (std::string_view name : kLanguageNames) tables.insert(BuiltIn(name));
    EXPECT_EQ(tables.size(), kLanguageNames.size());
    EXPECT_EQ(std::size(kTables) + 1, kLanguageNames.size()) << "every language but English is checked above";
}

}  // namespace
