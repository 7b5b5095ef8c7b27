#pragma once
// Locale information of the operating system.
#include <optional>
#include <string>

namespace platform {

// The system default locale's text for a locale information code (15 is the
// thousands separator); nothing when the system gives no answer. An answer
// may be empty text.
std::optional<std::string> LocaleInfo(int code);

}  // namespace platform
