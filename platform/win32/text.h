#pragma once
// UTF-8 above the seam, UTF-16 at the Windows API.
#include <string>

namespace platform::win32 {

std::wstring Wide(const std::string& text);
std::string Utf8(const std::wstring& text);

}  // namespace platform::win32
