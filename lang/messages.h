#pragma once
// The message table of the user-interface language: every text the program
// shows, by message number, from a translator's file in the settings folder
// where it gives one, else from the built-in table of that language.
#include <array>
#include <string>
#include <string_view>

// The languages the program carries, in the order of the settings window's
// language list; the Language setting holds one of these names.
constexpr std::array<std::string_view, 10> kLanguageNames = {
    "Chinese Simplified", "Czech",    "Deutsch",  "English",   "Español",
    "Français",           "Japanese", "Italiano", "Português", "PortuguêsBR"};

// Replaces the whole table with the named language. A name outside the list
// gets the English texts (after its own file in the settings folder, if any).
void LoadLanguage(const std::string& name);
// Entry n of the table (messages are 1 to kMessageCount - 1);
// empty for a number outside the table.
std::string Message(int n);

// The translator's file for a language: settings folder + name + "_v167.txt".
std::string LanguageFilePath(const std::string& name);
// Writes the loaded table to path as a language file, replacing any file there;
// silently nothing when it cannot be written.
void WriteLanguageFile(const std::string& path);
// For the settings window's "Edit" button: writes the loaded table to path
// unless a file is already there (so a translator's work is never overwritten);
// true when there is a file to open afterwards.
bool EnsureLanguageFile(const std::string& path);

// The system default locale's text for a locale information code, with ","
// for the thousands separator when the system has none to give.
std::string LocaleText(int code);
constexpr int LocaleThousandSeparator = 15;
