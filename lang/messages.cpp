#include "lang/messages.h"

void LoadLanguage(const std::string&) {}
std::string Message(int) { return {}; }
void WriteLanguageFile(const std::string&) {}
std::string LocaleText(int) { return ","; }
