// The settings save of the real Win32 backend, cut short as a kill would cut
// it: loads the settings, sets Button1 to the second argument and saves, ending
// the process at once (exit code 9) after the save step given as the first
// argument. Exits 0 when the save ran past its last step. The end-to-end case
// settings_survive_a_kill_at_every_step_of_a_save runs it.
#include <windows.h>

#include <cstdlib>

#include "platform/win32/internal.h"
#include "settings/settings.h"
#include "settings/settings_store.h"

namespace {

int killAfter = 0;

void EndAfterStep(int step) {
    if (step == killAfter) TerminateProcess(GetCurrentProcess(), 9);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    killAfter = std::atoi(argv[1]);
    LoadSettings();
    settings.Button1 = std::atoi(argv[2]);
    platform::win32::saveStepHook = EndAfterStep;
    SaveSettings();
    return 0;
}
