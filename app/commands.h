#pragma once
// The popup menu's commands, by entry number.

constexpr int kMenuSettings = 108;
constexpr int kMenuHelp = 109;
constexpr int kMenuQuit = 110;

// Runs the command of a menu entry; returns true when it asks the program to close.
bool RunMenuCommand(int item);
