#pragma once
// The fake's global hotkeys and the other copy of the program.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace fake {

struct HotkeyState {
    // Combinations (modifier bits, key) other programs hold, and those that type a character.
    std::set<std::pair<int, int>> takenByOthers;
    std::set<std::pair<int, int>> typing;
    // What this program holds: id -> combination.
    std::map<int, std::pair<int, int>> registered;

    // The other copy: the words this one was started with, whether one runs,
    // what it was sent (command, argument), its status; what this one published and wrote.
    std::vector<std::string> commandLine;
    bool otherCopyRuns = false;
    std::vector<std::pair<int, std::int64_t>> sent;
    std::string otherCopyStatus;
    std::string published;
    std::string output;
};

extern HotkeyState hotkeys;

void ResetHotkeys();

}  // namespace fake
