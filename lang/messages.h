#pragma once
// The message table of the user-interface language.
#include <string>

void LoadLanguage(const std::string& name);
// The text of message n (1 to 199); empty for any other number.
std::string Message(int n);
void WriteLanguageFile(const std::string& path);
// The system default locale's text for a locale information code.
std::string LocaleText(int code);
constexpr int LocaleThousandSeparator = 15;
