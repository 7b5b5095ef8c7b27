#pragma once
// The popup menu's commands, by entry number (timekeeping/timer_menu.h).

// Runs the command of a menu entry; returns true when it asks the program to close.
bool RunMenuCommand(int item);
