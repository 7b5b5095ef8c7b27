#pragma once
// The presentation add-in.
#include <string>

// The PowerPoint version found by CheckAddin ("16.0" ...), or empty.
extern std::string OfficeVersion;
int CheckAddin();
void InstallAddin();
void RemoveAddin();
