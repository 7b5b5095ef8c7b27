#include "platform/locale.h"

#include <windows.h>

namespace platform {

std::optional<std::string> LocaleInfo(int code) {
    wchar_t buffer[256];
    const int count = GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, static_cast<LCTYPE>(code), buffer, 256);
    if (count <= 0) return std::nullopt;
    const int length = count - 1;  // the count includes the terminating zero
    if (length == 0) return std::string();
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, buffer, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::nullopt;
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, buffer, length, text.data(), bytes, nullptr, nullptr);
    return text;
}

}  // namespace platform
