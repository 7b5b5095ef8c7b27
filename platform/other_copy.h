#pragma once
// The copy of the program already running for this user, and the words the
// program was started with. A command reaches the running copy's main window
// as a message (msg::OtherCopyCommand: wParam the command, lParam its
// argument); a status request is answered at once with the text the running
// copy last published.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The words after the program's name on its command line, as the system splits them.
std::vector<std::string> CommandLineWords();
// Hands a command to the running copy; false when none runs or it did not take it.
bool SendToRunningCopy(int command, std::int64_t argument);
// The running copy's published status; nothing when no copy runs or it does not answer.
std::optional<std::string> AskRunningCopyStatus();
// What this copy answers a status request with from now on.
void PublishStatus(const std::string& text);
// Writes text to the standard output when the program has one (a file or a
// pipe), else to the console of the program that started it; false when there is neither.
bool WriteStandardOutput(const std::string& text);

}  // namespace platform
