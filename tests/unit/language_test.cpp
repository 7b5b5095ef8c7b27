#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "lang/language_file.h"
#include "lang/messages.h"
#include "resources/embedded.h"
#include "settings/settings_store.h"
#include "tests/support/fake_locale.h"
#include "tests/support/fake_platform.h"

namespace {

const std::string kFolder = "C:\\Users\\tester\\AppData\\Roaming\\Horavel\\";
const std::string kHeader(kLanguageFileHeader);

std::string BuiltIn(std::string_view name) {
    const auto bytes = FindEmbeddedResource("lang/" + std::string(name) + "_v167.txt");
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

class Language : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        fake::ResetLocale();
        SettingsFolder = kFolder;
    }
    void PutFile(const std::string& language, const std::string& content) {
        fake::state.files[kFolder + language + "_v167.txt"] = content;
    }
};

TEST_F(Language, EveryBuiltInTableIsWellFormed) {
    for (std::string_view name : kLanguageNames) {
        SCOPED_TRACE(std::string(name));
        const std::string table = BuiltIn(name);
        ASSERT_TRUE(table.starts_with("\xEF\xBB\xBF" + kHeader + "\r\n"));
        std::string_view rest = std::string_view(table).substr(3 + kHeader.size() + 2);
        for (int n = 1; n < kMessageCount; ++n) {
            char number[8];
            std::snprintf(number, sizeof number, "%03d-", n);
            ASSERT_TRUE(rest.starts_with(number)) << "line of message " << n;
            const std::size_t end = rest.find("\r\n");
            if (n < kMessageCount - 1) {
                ASSERT_NE(end, std::string_view::npos);
            }
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
        }
        EXPECT_TRUE(rest.empty()) << "lines after the last message";
    }
    EXPECT_TRUE(BuiltIn("English").ends_with("259-\r\n"));
    EXPECT_TRUE(BuiltIn("Français").ends_with("259-"));
}

TEST_F(Language, TranslationsKeepTheEnglishShapeAndTheirTellingRows) {
    LoadLanguage("English");
    MessageTable english;
    for (int n = 0; n < kMessageCount; ++n) english[n] = Message(n);
    EXPECT_EQ(english[1], "OK");
    EXPECT_EQ(english[125], "ERROR: There was a Read/Write error (Error No.: [ERROR_CODE]).");
    EXPECT_EQ(english[198], "Click here to show menu");
    EXPECT_EQ(english[80], "");

    for (std::string_view name : {"Deutsch", "Español", "Français"}) {
        SCOPED_TRACE(std::string(name));
        LoadLanguage(std::string(name));
        for (int n = 1; n < kMessageCount; ++n) EXPECT_EQ(Message(n).empty(), english[n].empty()) << "message " << n;
        EXPECT_NE(Message(125).find("[ERROR_CODE]"), std::string::npos);
    }
    LoadLanguage("Deutsch");
    EXPECT_EQ(Message(2), "Abbruch");
    EXPECT_EQ(Message(3), "Allgemein");
    EXPECT_EQ(Message(92), "WARNUNG");
    EXPECT_EQ(Message(93), "ENDE");
    LoadLanguage("Español");
    EXPECT_EQ(Message(1), "Aceptar");
    EXPECT_EQ(Message(2), "Cancelar");
    EXPECT_EQ(Message(92), "PRECAUCIÓN");
    EXPECT_EQ(Message(93), "FINALIZADO");
    LoadLanguage("Français");
    EXPECT_EQ(Message(2), "Annuler");
    EXPECT_EQ(Message(3), "Général");
    EXPECT_EQ(Message(92), "AVERTISSEMENT");
    EXPECT_EQ(Message(93), "FINI");
}

TEST_F(Language, NamesSelectTheirOwnTableAndUnknownNamesGetEnglish) {
    for (std::string_view name : kLanguageNames) {
        LoadLanguage(std::string(name));
        EXPECT_EQ(Message(-1), "") << name;
        EXPECT_EQ(Message(kMessageCount), "") << name;
    }
    LoadLanguage("Japanese");
    EXPECT_EQ(Message(2), "キャンセル");
    LoadLanguage("Chinese Simplified");
    EXPECT_EQ(Message(99), "设置倒计时");
    // Close misses of a name are not that language (the settings store fixes
    // the unaccented spellings before this is called).
    for (const char* name : {"Klingon", "deutsch", "Deutsch ", "Francais", ""}) {
        LoadLanguage("Deutsch");
        LoadLanguage(name);
        EXPECT_EQ(Message(2), "Cancel") << '"' << name << '"';
    }
}

TEST_F(Language, ADiskFileLaysItsTextsOverTheBuiltInTable) {
    PutFile("Deutsch", kHeader + "\r\n001-Gut\r\n");
    LoadLanguage("Deutsch");
    EXPECT_EQ(Message(1), "Gut");
    EXPECT_EQ(Message(2), "Abbruch") << "what the file lacks is the built-in table's";
    EXPECT_EQ(Message(92), "WARNUNG");

    // A translator's file written for an older, shorter table, with a line
    // not translated yet: both gaps are filled from the table of its language.
    std::string older = kHeader + "\r\n";
    for (int n = 1; n <= 150; ++n) older += (n == 3 ? std::string("003-") : "nnn-Nr. " + std::to_string(n)) + "\r\n";
    PutFile("Deutsch", older);
    LoadLanguage("Deutsch");
    EXPECT_EQ(Message(1), "Nr. 1");
    EXPECT_EQ(Message(150), "Nr. 150");
    EXPECT_EQ(Message(3), "Allgemein");
    const std::string german151 = Message(151);
    LoadLanguage("English");
    const std::string english151 = Message(151);
    ASSERT_NE(german151, english151);
    LoadLanguage("Deutsch");
    PutFile("Deutsch", kHeader + "\r\n001-Gut\r\n");
    LoadLanguage("Deutsch");
    EXPECT_EQ(Message(151), german151);

    // Only the start of the first line is checked, and any line end will do.
    PutFile("Deutsch", kHeader + " v2\n001-Ja\r002-Nein\r\n003-Vielleicht");
    LoadLanguage("Deutsch");
    EXPECT_EQ(Message(1), "Ja");
    EXPECT_EQ(Message(2), "Nein");
    EXPECT_EQ(Message(3), "Vielleicht");

    // A language outside the list may still have its own file, filled in
    // from English.
    PutFile("Klingon", kHeader + "\r\n001-luq\r\n");
    LoadLanguage("Klingon");
    EXPECT_EQ(Message(1), "luq");
    EXPECT_EQ(Message(2), "Cancel");
}

TEST_F(Language, AWronglyHeadedDiskFileIsIgnored) {
    for (const std::string& content : {"\xEF\xBB\xBF" + kHeader + "\r\n001-Gut\r\n",
                                       std::string("Text File for Horavel\r\n001-Gut\r\n"), std::string()}) {
        PutFile("Deutsch", content);
        LoadLanguage("Deutsch");
        EXPECT_EQ(Message(1), "OK");
        EXPECT_EQ(Message(2), "Abbruch");
    }
}

TEST_F(Language, PositionAloneDecidesTheNumber) {
    LoadLanguage("English");
    WriteLanguageFile(kFolder + "Deutsch_v167.txt");
    std::string& file = fake::state.files[kFolder + "Deutsch_v167.txt"];
    file.erase(file.find("002-"), std::string("002-Cancel\r\n").size());
    file.replace(file.find("004-"), 4, "xyz:");  // the number itself is never read
    LoadLanguage("Deutsch");
    EXPECT_EQ(Message(1), "OK");
    EXPECT_EQ(Message(2), "General");
    EXPECT_EQ(Message(3), "Language");
    EXPECT_EQ(Message(197), "Click here to show menu");
    EXPECT_EQ(Message(199), "Hotkeys");
}

TEST_F(Language, FourCharactersAreSkippedNotFourBytes) {
    PutFile("Deutsch", kHeader + "\r\nÄÖÜ-Grüße\r\n€--x1\r\n");
    LoadLanguage("Deutsch");
    EXPECT_EQ(Message(1), "Grüße");
    EXPECT_EQ(Message(2), "1");
}

TEST_F(Language, HostileDiskFilesCannotHurt) {
    // Invalid UTF-8 comes out as U+FFFD, never as broken sequences; each bad
    // byte also counts as one of the four skipped characters.
    PutFile("Deutsch", kHeader + "\r\n001-a\xFF\xC0\xAF" "b\xED\xA0\x80\r\n\xFE\xFE\xFE\xFEx\xE2\x82\r\n");
    LoadLanguage("Deutsch");
    EXPECT_EQ(Message(1), "a\uFFFD\uFFFD\uFFFDb\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Message(2), "x\uFFFD\uFFFD");

    // A line of nearly a megabyte loads whole; lines past the table's end are
    // ignored.
    std::string file = kHeader + "\r\n001-" + std::string(1000000, 'x') + "\r\n";
    for (int n = 2; n <= 400; ++n) file += "nnn-more\r\n";
    PutFile("Deutsch", file);
    LoadLanguage("Deutsch");
    EXPECT_EQ(Message(1).size(), 1000000u);
    EXPECT_EQ(Message(kMessageCount - 1), "more");
    EXPECT_EQ(Message(kMessageCount), "");

    // Beyond a mebibyte the file is not read at all: the built-in table stands.
    PutFile("Deutsch", kHeader + "\r\n001-" + std::string(1 << 20, 'x'));
    LoadLanguage("Deutsch");
    EXPECT_EQ(Message(1), "OK");
    EXPECT_EQ(Message(2), "Abbruch");

    // Binary garbage after a valid header: every text is still valid UTF-8
    // and without line ends, so it survives a write and a re-read unchanged.
    std::string garbage = kHeader;
    for (int i = 0; i < 20000; ++i) garbage += static_cast<char>((i * 7919 + i / 13) & 0xFF);
    PutFile("Deutsch", garbage);
    LoadLanguage("Deutsch");
    MessageTable first;
    for (int n = 1; n < kMessageCount; ++n) first[n] = Message(n);
    WriteLanguageFile(kFolder + "Deutsch_v167.txt");
    LoadLanguage("Deutsch");
    for (int n = 1; n < kMessageCount; ++n) EXPECT_EQ(Message(n), first[n]) << "message " << n;
}

TEST_F(Language, WrittenFileHasTheHeaderAndANumberedLineForEveryMessage) {
    LoadLanguage("Deutsch");
    WriteLanguageFile(kFolder + "Deutsch_v167.txt");
    const std::string& file = fake::state.files[kFolder + "Deutsch_v167.txt"];
    EXPECT_TRUE(file.starts_with(kHeader + "\r\n001-OK\r\n002-Abbruch\r\n003-Allgemein\r\n"));
    EXPECT_NE(file.find("\r\n080-\r\n"), std::string::npos);
    EXPECT_TRUE(file.ends_with("\r\n258-\r\n259-\r\n"));
    std::size_t lines = 0;
    for (std::size_t at = file.find("\r\n"); at != std::string::npos; at = file.find("\r\n", at + 2)) ++lines;
    EXPECT_EQ(lines, static_cast<std::size_t>(kMessageCount));

    fake::state.failWrites = true;
    WriteLanguageFile(kFolder + "Czech_v167.txt");
    EXPECT_EQ(fake::state.files.count(kFolder + "Czech_v167.txt"), 0u);
}

TEST_F(Language, EditTwiceWritesOnceThenKeepsTheTranslatorsWork) {
    LoadLanguage("Français");
    const std::string path = LanguageFilePath("Français");
    EXPECT_EQ(path, kFolder + "Français_v167.txt");
    ASSERT_TRUE(EnsureLanguageFile(path));
    EXPECT_TRUE(fake::state.files[path].starts_with(kHeader + "\r\n001-OK\r\n002-Annuler\r\n"));

    fake::state.files[path] = kHeader + "\r\n001-D'accord\r\n";
    LoadLanguage("English");
    ASSERT_TRUE(EnsureLanguageFile(path));
    EXPECT_EQ(fake::state.files[path], kHeader + "\r\n001-D'accord\r\n");

    fake::state.failWrites = true;
    EXPECT_FALSE(EnsureLanguageFile(LanguageFilePath("Czech")));
}

TEST_F(Language, LocaleTextFallsBackOnlyForTheThousandsSeparator) {
    fake::localeInfo[LocaleThousandSeparator] = "\u00A0";
    EXPECT_EQ(LocaleText(LocaleThousandSeparator), "\u00A0");
    fake::localeInfo[LocaleThousandSeparator] = "";  // a locale without a separator
    EXPECT_EQ(LocaleText(LocaleThousandSeparator), "");
    fake::localeInfo.clear();  // no answer from the system
    EXPECT_EQ(LocaleText(LocaleThousandSeparator), ",");
    EXPECT_EQ(LocaleText(14), "");
}

}  // namespace
