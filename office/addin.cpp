#include "office/addin.h"

std::string OfficeVersion;

int CheckAddin() { return 0; }
void InstallAddin() {}
void RemoveAddin() {}
