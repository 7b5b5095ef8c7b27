#include "settings/settings_store.h"

#include "settings/settings.h"

std::string SettingsFolder;

void LoadSettings() { ResetSettings(); }
void SaveSettings() {}
