#include "office/addin.h"

int CheckAddin() { return 0; }
void InstallAddin() {}
void RemoveAddin() {}
