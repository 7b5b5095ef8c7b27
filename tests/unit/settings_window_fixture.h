#pragma once
// What every test of the settings window starts from: the fakes reset, the
// first-run settings, the English texts, and the window run through scripted
// events.
#include <gtest/gtest.h>

#include <string>

#include "lang/messages.h"
#include "settings/settings.h"
#include "settings/settings_store.h"
#include "settings/settings_window.h"
#include "tests/support/fake_dialog.h"
#include "tests/support/fake_hotkeys.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_screen.h"
#include "tests/support/fake_shell.h"

class SettingsWindowTest : public ::testing::Test {
protected:
    static inline const std::string kFolder = "C:\\Users\\tester\\AppData\\Roaming\\Horavel\\";

    void SetUp() override {
        fake::Reset();
        fake::ResetScreen();
        fake::ResetDialog();
        fake::ResetShell();
        fake::ResetHotkeys();
        settings = Settings{};
        ResetSettings();
        SettingsFolder = kFolder;
        LoadLanguage("English");
    }

    // Opens the window, runs the scripted events and the closing.
    static void Run() {
        OpenSettingsWindow();
        RunSettingsWindow();
    }

    static fake::Control& C(int control) { return fake::ControlOf(control); }
};
