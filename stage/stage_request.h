#pragma once
// The parts of a stage-view request the program reads itself: the token in the
// address's query and the command word of a control request.
#include <optional>
#include <string>
#include <string_view>

// The value of the first "token" parameter of a request target such as
// "/state?token=ab12", percent-decoded; empty when there is none.
std::string QueryToken(std::string_view target);

enum class StageCommand { Start, Pause, Toggle, Reset, AddMinute, SubMinute, Preset };
struct StageCommandWord {
    StageCommand command = StageCommand::Toggle;
    int preset = 0;  // 1 to 5 for StageCommand::Preset
    bool operator==(const StageCommandWord&) const = default;
};
// Reads the body of a control request: "start", "pause", "toggle", "reset",
// "add 1m", "sub 1m" or "preset 1" to "preset 5", with blanks around and
// between the words as they come and letters in either case. Anything else
// is no command.
std::optional<StageCommandWord> ParseStageCommand(std::string_view body);
