#pragma once
// Text at the Windows API boundary: UTF-8 above the seam, UTF-16 below it.
// Malformed input becomes U+FFFD rather than failing.
#include <string>

std::wstring Wide(const std::string& text);
std::string Utf8(const std::wstring& text);
