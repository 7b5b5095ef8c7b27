#include "timekeeping/timer_menu.h"

void BuildTimerMenu() {}
void ShowTimerMenu() {}
