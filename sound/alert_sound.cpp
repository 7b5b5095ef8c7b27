#include "sound/alert_sound.h"

bool soundAvailable = false;

bool StartSoundSystem() { return soundAvailable = false; }
void PlayAlertSound(const std::string&, int) {}
void StopAlertSound() {}
std::string ChooseSoundFile() { return {}; }
void FreeAlertSound() {}
