#include "app/main_window.h"
MainLoopState mainLoop;
