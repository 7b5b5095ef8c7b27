#include "settings/settings_window.h"

void OpenSettingsWindow() {}
void RunSettingsWindow() {}
