#include "stage/stage_tokens.h"

#include <array>

#include "platform/system.h"
#include "settings/settings.h"

namespace {

constexpr std::size_t TokenBytes = 16;

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

bool Ensure(std::string& token) {
    if (IsStageToken(token)) return false;
    token = NewStageToken();
    return true;
}

}  // namespace

std::string NewStageToken() {
    std::array<unsigned char, TokenBytes> bytes{};
    if (!platform::SecureRandom(bytes.data(), bytes.size())) return {};
    static constexpr char digits[] = "0123456789abcdef";
    std::string token;
    for (const unsigned char b : bytes) {
        token += digits[b >> 4];
        token += digits[b & 15];
    }
    return token;
}

bool IsStageToken(std::string_view token) {
    if (token.size() != TokenBytes * 2) return false;
    for (const char c : token)
        if (!IsHexDigit(c)) return false;
    return true;
}

bool EnsureStageTokens(Settings& s) {
    const bool view = Ensure(s.StageViewToken);
    const bool control = Ensure(s.StageControlToken);
    return view || control;
}

bool RenewStageTokens(Settings& s) {
    std::string view = NewStageToken(), control = NewStageToken();
    if (view.empty() || control.empty()) return false;
    s.StageViewToken = std::move(view);
    s.StageControlToken = std::move(control);
    return true;
}

bool TokenMatches(std::string_view given, std::string_view stored) {
    if (stored.empty() || given.size() != stored.size()) return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < stored.size(); ++i)
        difference |= static_cast<unsigned char>(given[i] ^ stored[i]);
    return difference == 0;
}
