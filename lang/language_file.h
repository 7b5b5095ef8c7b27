#pragma once
// The language file format shared by the built-in tables and the files in the
// settings folder: a header line, then one line per message. The first four
// characters of a message line (its number and "-") are skipped unread, so
// position alone decides the number and a missing line shifts every later one.
// Tables grow at the end: a file written for an older, shorter table still
// reads, its missing messages taken from elsewhere.
//
// Standard library only: the fuzzer builds this file on its own.
#include <array>
#include <string>
#include <string_view>

constexpr int kMessageCount = 260;  // entries 0 to 259
using MessageTable = std::array<std::string, kMessageCount>;

constexpr std::string_view kLanguageFileHeader = "Text File for Horavel (Do not Translate This Line)";

// A file found on disk. Lines end at CR, LF or CR LF. When the first line
// starts with the header (a byte-order mark in front of it does not count),
// entries 1 to 259 take lines 2 to 260 and the result is true; an empty line,
// or one past the end of the file, leaves its entry as it was, so that texts a
// translator has not reached yet are the table's. Otherwise table is left as
// it was. Entry 0 is never touched.
bool ReadLanguageFile(std::string_view bytes, MessageTable& table);

// A built-in table: lines end at CR LF (or a form feed) only, the whole table
// is replaced and entry 0 takes the header line, byte-order mark included.
MessageTable ReadBuiltInTable(std::string_view bytes);

// What a translator starts from: the header, then messages 001 to 259, each
// line ending in CR LF, without a byte-order mark.
std::string FormatLanguageFile(const MessageTable& table);
