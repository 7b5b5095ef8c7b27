// The settings file reader on arbitrary bytes: it must not crash, and what it
// reads must survive being written and read again unchanged.
// fuzz-sources: settings/ini_file.cpp
// fuzz-seeds: tests/unit/golden
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/ini_file.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

bool Blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Decoded text is valid UTF-8, so decoding it once more as UTF-8 changes nothing.
    const std::string text = DecodeIniBytes(bytes);
    Check(DecodeIniBytes("\xEF\xBB\xBF" + text) == text);

    for (const IniGroup& group : ParseIni(bytes)) {
        for (const auto& [key, value] : group.entries) {
            Check(key.find_first_of("\r\n=") == std::string::npos);
            Check(value.find_first_of("\r\n") == std::string::npos);
            Check(key.empty() || !Blank(key.back()));
            Check(value.empty() || (!Blank(value.front()) && !Blank(value.back())));
            ParseLeadingInteger(value);
        }
        const auto again = ParseIni(FormatIni(group));
        Check(again.size() == 1 && again[0].name == group.name && again[0].entries == group.entries);
        if (const IniGroup* found = FindIniGroup(again, group.name)) {
            for (const auto& [key, value] : group.entries) Check(FindIniValue(*found, key).has_value());
        }
    }
    return 0;
}
