#pragma once
// The fake's system locale.
#include <map>
#include <string>

namespace fake {

// What the system locale answers, by information code; a code that is not
// here has no answer.
extern std::map<int, std::string> localeInfo;

// A locale with "," as its thousands separator.
void ResetLocale();

}  // namespace fake
