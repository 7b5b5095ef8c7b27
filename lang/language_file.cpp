#include "lang/language_file.h"

#include <cstddef>
#include <cstdio>
#include <utility>

namespace {

// Length of the well-formed UTF-8 sequence at the start of s, or 0 when
// there is none (stray continuation byte, overlong form, surrogate, beyond
// U+10FFFF, cut short).
std::size_t Utf8SequenceLength(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return length;
}

// The text of one message line: its characters after the first four, with
// every byte that is not part of well-formed UTF-8 counted as one character
// and shown as U+FFFD, so that every message is valid UTF-8 whatever the file
// held.
std::string MessageText(std::string_view line) {
    std::string text;
    int skipped = 0;
    while (!line.empty()) {
        const std::size_t length = Utf8SequenceLength(line);
        if (skipped < 4) {
            ++skipped;
        } else if (length == 0) {
            text += "\xEF\xBF\xBD";
        } else {
            text.append(line.substr(0, length));
        }
        line.remove_prefix(length == 0 ? 1 : length);
    }
    return text;
}

// Cuts the next line off the front of rest; a line ends at CR, LF or CR LF.
std::string_view NextLine(std::string_view& rest) {
    const std::size_t end = rest.find_first_of("\r\n");
    const std::string_view line = rest.substr(0, end);
    if (end == std::string_view::npos) {
        rest = {};
    } else {
        const bool pair = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
        rest.remove_prefix(end + (pair ? 2 : 1));
    }
    return line;
}

// Cuts the next field off the front of rest; fields end at CR LF or a form feed.
std::string_view NextField(std::string_view& rest) {
    std::size_t end = 0;
    while (end < rest.size() && rest[end] != '\f' &&
           !(rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n')) {
        ++end;
    }
    const std::string_view field = rest.substr(0, end);
    if (end == rest.size()) {
        rest = {};
    } else {
        rest.remove_prefix(end + (rest[end] == '\f' ? 1 : 2));
    }
    return field;
}

}  // namespace

bool ReadLanguageFile(std::string_view bytes, MessageTable& table) {
    std::string_view rest = bytes;
    if (!NextLine(rest).starts_with(kLanguageFileHeader)) return false;
    for (int i = 1; i < kMessageCount && !rest.empty(); ++i) {
        std::string text = MessageText(NextLine(rest));
        if (!text.empty()) table[i] = std::move(text);
    }
    return true;
}

MessageTable ReadBuiltInTable(std::string_view bytes) {
    MessageTable table;
    std::string_view rest = bytes;
    for (std::string& entry : table) entry = MessageText(NextField(rest));
    return table;
}

std::string FormatLanguageFile(const MessageTable& table) {
    std::string file(kLanguageFileHeader);
    file += "\r\n";
    for (int i = 1; i < kMessageCount; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%03d-", i);
        file += number;
        file += table[i];
        file += "\r\n";
    }
    return file;
}
