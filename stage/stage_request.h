#pragma once
// The parts of a stage-view request the program reads itself: the token in the
// address's query and the command of a control request.
#include <optional>
#include <string>
#include <string_view>

#include "app/command_words.h"

// The value of the first "token" parameter of a request target such as
// "/state?token=ab12", percent-decoded; empty when there is none.
std::string QueryToken(std::string_view target);

// Reads the body of a control request: the command line's words ("toggle",
// "reset", "add 1m", "preset 2", "start 10m" ...), with blanks around and
// between them as they come and letters in either case. "status" and
// anything else is no command: the state has its own address.
std::optional<CopyRequest> ParseStageCommand(std::string_view body);
