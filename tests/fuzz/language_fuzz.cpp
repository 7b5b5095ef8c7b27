// Feeds arbitrary bytes to the language file reader, both as a file from the
// settings folder and as a built-in table. A file that loads must come back
// unchanged after being written and read again: that holds only if every
// text is valid UTF-8 without line ends, whatever the input held.
// fuzz-sources: lang/language_file.cpp
// fuzz-seeds: lang
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lang/language_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    MessageTable table;
    if (ReadLanguageFile(bytes, table)) {
        MessageTable again;
        if (!ReadLanguageFile(FormatLanguageFile(table), again)) __builtin_trap();
        for (int n = 1; n < kMessageCount; ++n) {
            if (again[n] != table[n]) __builtin_trap();
        }
    }

    const MessageTable builtIn = ReadBuiltInTable(bytes);
    std::size_t total = 0;
    for (const std::string& text : builtIn) total += text.size();
    // One bad byte grows to the three bytes of U+FFFD at most.
    if (total > 3 * size) __builtin_trap();
    return 0;
}
