#include "stage/stage_request.h"

#include <array>
#include <vector>

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "%41" becomes "A" and "+" a blank; a "%" without two hexadecimal digits stays.
std::string PercentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i] == '+' ? ' ' : text[i];
        }
    }
    return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (IsBlank(c)) {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += Lower(c);
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

}  // namespace

std::string QueryToken(std::string_view target) {
    const std::size_t question = target.find('?');
    if (question == std::string_view::npos) return {};
    std::string_view query = target.substr(question + 1);
    query = query.substr(0, query.find('#'));
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        const std::size_t equals = pair.find('=');
        if (equals != std::string_view::npos && PercentDecoded(pair.substr(0, equals)) == "token")
            return PercentDecoded(pair.substr(equals + 1));
        if (amp == std::string_view::npos) break;
        query.remove_prefix(amp + 1);
    }
    return {};
}

std::optional<StageCommandWord> ParseStageCommand(std::string_view body) {
    const std::vector<std::string> words = Words(body);
    struct Single {
        const char* word;
        StageCommand command;
    };
    constexpr std::array<Single, 4> singles{{{"start", StageCommand::Start},
                                             {"pause", StageCommand::Pause},
                                             {"toggle", StageCommand::Toggle},
                                             {"reset", StageCommand::Reset}}};
    if (words.size() == 1) {
        for (const Single& s : singles)
            if (words[0] == s.word) return StageCommandWord{s.command, 0};
        return std::nullopt;
    }
    if (words.size() != 2) return std::nullopt;
    if (words[1] == "1m" && words[0] == "add") return StageCommandWord{StageCommand::AddMinute, 0};
    if (words[1] == "1m" && words[0] == "sub") return StageCommandWord{StageCommand::SubMinute, 0};
    if (words[0] == "preset" && words[1].size() == 1 && words[1][0] >= '1' && words[1][0] <= '5')
        return StageCommandWord{StageCommand::Preset, words[1][0] - '0'};
    return std::nullopt;
}
