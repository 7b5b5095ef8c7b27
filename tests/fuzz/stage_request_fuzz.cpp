// What the stage view reads from a request itself, on arbitrary bytes: the
// token of the query and the command word of a control body. Neither may
// crash, and what they find must be consistent with the bytes.
// fuzz-sources: stage/stage_request.cpp
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

std::string Spelled(const StageCommandWord& w) {
    switch (w.command) {
        case StageCommand::Start: return "start";
        case StageCommand::Pause: return "pause";
        case StageCommand::Toggle: return "toggle";
        case StageCommand::Reset: return "reset";
        case StageCommand::AddMinute: return "add 1m";
        case StageCommand::SubMinute: return "sub 1m";
        case StageCommand::Preset: return "preset " + std::to_string(w.preset);
    }
    return {};
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

    // A command the body names reads the same from its plain spelling.
    if (const auto word = ParseStageCommand(bytes)) {
        if (word->command == StageCommand::Preset) Check(word->preset >= 1 && word->preset <= 5);
        Check(ParseStageCommand(Spelled(*word)) == word);
        Check(bytes.size() >= 4);
    }
    return 0;
}
