#pragma once
// The settings file in the per-user settings folder.
#include <string>

// The folder of the settings file and the user's language files; ends in "\" or is empty.
extern std::string SettingsFolder;
void LoadSettings();
void SaveSettings();
