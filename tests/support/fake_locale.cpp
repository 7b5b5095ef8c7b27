#include "tests/support/fake_locale.h"

#include "platform/locale.h"

namespace fake {

std::map<int, std::string> localeInfo = {{15, ","}};

void ResetLocale() { localeInfo = {{15, ","}}; }

}  // namespace fake

namespace platform {

std::optional<std::string> LocaleInfo(int code) {
    const auto it = fake::localeInfo.find(code);
    if (it == fake::localeInfo.end()) return std::nullopt;
    return it->second;
}

}  // namespace platform
