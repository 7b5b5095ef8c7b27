#include "settings/ini_file.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

void AppendLatin1(std::string& out, unsigned char c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Copies well-formed UTF-8 and replaces each maximal ill-formed part by U+FFFD,
// so text taken from a damaged file is always valid above the seam.
std::string SanitizeUtf8(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    std::size_t i = 0;
    while (i < in.size()) {
        auto c = static_cast<unsigned char>(in[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;  // range allowed for the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0) low = 0xA0;   // no overlong forms
            if (c == 0xED) high = 0x9F;  // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;  // nothing above U+10FFFF
        }
        std::size_t good = 1;
        while (length != 0 && good < length && i + good < in.size()) {
            auto next = static_cast<unsigned char>(in[i + good]);
            bool ok = good == 1 ? next >= low && next <= high : next >= 0x80 && next <= 0xBF;
            if (!ok) break;
            ++good;
        }
        if (length != 0 && good == length) {
            out.append(in.substr(i, length));
        } else {
            out += kReplacement;
        }
        i += good;
    }
    return out;
}

}  // namespace

std::string DecodeIniBytes(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) return SanitizeUtf8(bytes.substr(kByteOrderMark.size()));
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) AppendLatin1(out, static_cast<unsigned char>(c));
    return out;
}

std::vector<IniGroup> ParseIni(std::string_view bytes) {
    const std::string text = DecodeIniBytes(bytes);
    std::vector<IniGroup> groups;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        std::string_view line = TrimLeft(std::string_view(text).substr(pos, end - pos));
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;

        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            line.remove_prefix(1);
            groups.push_back(IniGroup{std::string(line.substr(0, line.find(']'))), {}});
            continue;
        }
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || groups.empty()) continue;
        groups.back().entries.emplace_back(std::string(TrimRight(line.substr(0, equals))),
                                           std::string(TrimRight(TrimLeft(line.substr(equals + 1)))));
    }
    return groups;
}

const IniGroup* FindIniGroup(const std::vector<IniGroup>& groups, std::string_view name) {
    for (const IniGroup& g : groups) {
        if (EqualsIgnoringCase(g.name, name)) return &g;
    }
    return nullptr;
}

std::optional<std::string> FindIniValue(const IniGroup& group, std::string_view key) {
    for (const auto& [k, v] : group.entries) {
        if (EqualsIgnoringCase(k, key)) return v;
    }
    return std::nullopt;
}

std::int32_t ParseLeadingInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Counted in 64 bits and held at just past the 32-bit range, so a long
    // run of digits can neither overflow nor wrap around.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min(value * 10 + (c - '0'), kLimit);
    }
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, kLimit - 1));
}

std::string FormatIni(const IniGroup& group) {
    std::string out;
    out += kByteOrderMark;
    out += "\r\n[";
    out += group.name;
    out += "]\r\n";
    for (const auto& [key, value] : group.entries) {
        out += key;
        out += " = ";
        out += value;
        out += "\r\n";
    }
    return out;
}
