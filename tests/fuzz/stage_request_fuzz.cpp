// What the stage view reads from a request itself, on arbitrary bytes: the
// token of the query and the command word of a control body. Neither may
// crash, and what they find must be consistent with the bytes.
// fuzz-sources: stage/stage_request.cpp app/command_words.cpp
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "stage/stage_request.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// The words of a text joined by single blanks, in small letters.
std::string Plain(std::string_view text) {
    std::string plain;
    for (const std::string& word : CommandWords(text)) {
        if (!plain.empty()) plain += ' ';
        for (const char c : word) plain += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return plain;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Decoding only shortens; without a query there is no token.
    const std::string token = QueryToken(bytes);
    Check(token.size() <= bytes.size());
    if (bytes.find('?') == std::string_view::npos) Check(token.empty());
    // The bytes as a token value come back as they were, once percent-encoded.
    std::string encoded = "/state?token=";
    static constexpr char hex[] = "0123456789ABCDEF";
    for (const unsigned char c : bytes) {
        encoded += '%';
        encoded += hex[c >> 4];
        encoded += hex[c & 15];
    }
    Check(QueryToken(encoded) == std::string(bytes));

    // A command the body names is one the page may give, with an argument in
    // range, and reads the same from its words written plainly.
    if (const auto request = ParseStageCommand(bytes)) {
        Check(request->command != CopyCommand::Status);
        const std::int64_t a = request->argument;
        switch (request->command) {
            case CopyCommand::Preset: Check(a >= 1 && a <= 5); break;
            case CopyCommand::Until: Check(a >= 0 && a < 86400); break;
            default: Check(a >= 0 && a <= kMaxCommandLengthMs); break;
        }
        Check(ParseStageCommand(Plain(bytes)) == request);
        Check(bytes.size() >= 4);
    }
    return 0;
}
