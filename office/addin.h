#pragma once
// The presentation add-in.
int CheckAddin();
void InstallAddin();
void RemoveAddin();
