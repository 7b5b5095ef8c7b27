#pragma once
// The popup menu of the readouts.
void BuildTimerMenu();
// Shows the menu at the mouse pointer; returns when it closes.
void ShowTimerMenu();
