#include <windows.h>

#include "app/Horavel_Main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { ProgramMain(); }
