#include "lang/messages.h"

#include <algorithm>
#include <cstddef>

#include "lang/language_file.h"
#include "platform/files.h"
#include "platform/locale.h"
#include "resources/embedded.h"
#include "settings/settings_store.h"

namespace {

MessageTable messages;

// A real table is a few kilobytes; anything this large is not one, and
// reading it whole would only risk the program's memory.
constexpr std::size_t kMaxLanguageFileBytes = std::size_t{1} << 20;

std::string_view BuiltInTable(std::string_view name) {
    const bool known = std::find(kLanguageNames.begin(), kLanguageNames.end(), name) != kLanguageNames.end();
    const std::string resource = "lang/" + std::string(known ? name : "English") + "_v167.txt";
    const auto bytes = FindEmbeddedResource(resource);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

void LoadLanguage(const std::string& requested) {
    const std::string name = requested.empty() ? "English" : requested;
    // A translator's file lays its texts over the built-in table of its
    // language (English for a language of its own), which fills what it lacks.
    messages = ReadBuiltInTable(BuiltInTable(name));
    if (const auto file = platform::ReadWholeFile(LanguageFilePath(name), kMaxLanguageFileBytes)) {
        ReadLanguageFile(*file, messages);
    }
}

std::string Message(int n) {
    if (n < 0 || n >= kMessageCount) return {};
    return messages[n];
}

std::string LanguageFilePath(const std::string& name) { return SettingsFolder + name + "_v167.txt"; }

void WriteLanguageFile(const std::string& path) { platform::WriteFileAtomically(path, FormatLanguageFile(messages)); }

bool EnsureLanguageFile(const std::string& path) {
    if (!platform::FileExists(path)) WriteLanguageFile(path);
    return platform::FileExists(path);
}

std::string LocaleText(int code) {
    if (auto text = platform::LocaleInfo(code)) return *text;
    return code == LocaleThousandSeparator ? "," : "";
}
