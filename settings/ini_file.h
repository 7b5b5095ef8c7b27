#pragma once
// The key-value file format of the settings file: groups of "key = value"
// lines. Pure functions of their inputs.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct IniGroup {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;  // key, value, in file order
};

// The file's text as UTF-8: after a UTF-8 byte-order mark the rest is UTF-8
// (malformed sequences become U+FFFD), otherwise every byte is a Latin-1
// character.
std::string DecodeIniBytes(std::string_view bytes);

// Every group of the file with its key lines, in file order. Key lines before
// the first group, comments and lines that are neither are dropped.
std::vector<IniGroup> ParseIni(std::string_view bytes);

// The first group of that name, ASCII letters compared without case; null when
// there is none.
const IniGroup* FindIniGroup(const std::vector<IniGroup>& groups, std::string_view name);
// The value of the first line with that key, ASCII letters compared without case.
std::optional<std::string> FindIniValue(const IniGroup& group, std::string_view key);

// An optional sign and the decimal digits after it; anything else ends the
// number ("12px" is 12, "px" is 0). Values beyond 32 bits saturate.
std::int32_t ParseLeadingInteger(std::string_view text);

// The bytes of a file holding this one group: byte-order mark, an empty line,
// the group line, then "key = value" lines, each ended by CR LF.
std::string FormatIni(const IniGroup& group);
