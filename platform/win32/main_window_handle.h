#pragma once
#include <windows.h>

namespace platform::win32 {
HWND MainWindowHandle();
}
