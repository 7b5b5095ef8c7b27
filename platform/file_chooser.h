#pragma once
// The system's open-file dialog.
#include <string>

namespace platform {

// Called with the dialog's full path each time its selection changes (never with empty text).
using FileSelectionHook = void (*)(const std::string& path);

// Shows the open-file dialog, centred on the screen, for one existing file
// matching pattern (e.g. "*.wav;*.mp3") under the filter text description.
// Returns the chosen full path, or empty text when the user cancels.
std::string ChooseExistingFile(const std::string& description, const std::string& pattern,
                               FileSelectionHook onSelectionChange);

}  // namespace platform
