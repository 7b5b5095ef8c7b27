#pragma once
void OpenSettingsWindow();
void RunSettingsWindow();
