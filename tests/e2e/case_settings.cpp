// The settings file and the program's registry value, as the first start
// leaves them and as a hand-written file is read.
#include "tests/e2e/case_support.h"

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Closes the program with its close button and waits for it to end.
void CloseWithButton(HWND window, e2e::Process& program) {
    e2e::PressGadget(window, 34);
    DWORD exitCode = 1;
    CHECK(e2e::WaitForExit(program, 10000, exitCode), "the program ends after its close button");
}

}  // namespace

E2E_CASE(first_start_writes_settings_file_and_registry) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        std::string written, golden;
        CHECK(e2e::ReadFileBytes(e2e::SettingsFolder() + "HV_Settings.ini", written),
              "the first start creates %APPDATA%\\Horavel\\HV_Settings.ini");
        CHECK(e2e::ReadFileBytes(e2e::SourcePath(exePath, "tests\\unit\\golden\\HV_Settings_first_run.ini"), golden),
              "the golden file can be read");
        CHECK(!golden.empty() && written == golden, "the settings file is byte-identical to the golden file");
        std::string folder;
        CHECK(e2e::ReadRegistryString(HKEY_CURRENT_USER, "Software\\Horavel", "", folder),
              "HKCU\\Software\\Horavel has a default value");
        const std::string expected = exePath.substr(0, exePath.find_last_of('\\'));
        CHECK(folder == expected, "the registry holds the program's folder \"" + expected + "\", not \"" + folder + "\"");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(hand_written_latin1_file_loads_and_saves_as_utf8) {
    e2e::Process program;
    CreateDirectoryW(e2e::Widen(e2e::SettingsFolder()).c_str(), nullptr);
    // No byte-order mark: Latin-1. Group and keys in other cases, no blanks around "=".
    const std::string file =
        "; written by hand\r\n[HORAVEL]\r\nlanguage=Espanol\r\nbutton1=120\r\ncostcurrency=\xA3\r\n"
        "STARTUPLOCATION=0\r\nstartupwinposn\\left=300\r\n";
    CHECK(e2e::WriteFileBytes(e2e::SettingsFolder() + "HV_Settings.ini", file), "the settings file is written");
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        CHECK(e2e::WindowText(e2e::FindChild(window, 38).hwnd) == "2m", "Button1 = 120 gives a 2m preset");
        CloseWithButton(window, program);
        std::string saved;
        CHECK(e2e::ReadFileBytes(e2e::SettingsFolder() + "HV_Settings.ini", saved), "the file is still there");
        CHECK(saved.rfind("\xEF\xBB\xBF\r\n[Horavel]\r\nLanguage = Espa\xC3\xB1ol\r\n", 0) == 0,
              "saved with a byte-order mark, the group and the accented language name");
        CHECK(Contains(saved, "\r\nCostCurrency = \xC2\xA3\r\n"), "the Latin-1 pound sign is saved in UTF-8");
        CHECK(Contains(saved, "\r\nButton1 = 120\r\n"), "Button1 kept");
        CHECK(Contains(saved, "\r\n24hr Clock = 1\r\n"), "a missing 24hr Clock reads as 1");
        CHECK(Contains(saved, "\r\nFinishSoundFile = 5\r\n"), "a missing FinishSoundFile reads as 5");
        CHECK(Contains(saved, "\r\nStartupLocation = 0\r\n"), "StartupLocation kept");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(language_file_overrides_built_in_german) {
    e2e::Process program;
    CreateDirectoryW(e2e::Widen(e2e::SettingsFolder()).c_str(), nullptr);
    std::string german;
    CHECK(e2e::ReadFileBytes(e2e::SourcePath(exePath, "lang\\Deutsch_v167.txt"), german), "the German table is read");
    // A user's file: no byte-order mark, message 106 reworded.
    if (german.rfind("\xEF\xBB\xBF", 0) == 0) german.erase(0, 3);
    const std::size_t at = german.find("\r\n106-");
    CHECK(at != std::string::npos, "the German table has a line 106");
    if (at != std::string::npos) {
        const std::size_t end = german.find("\r\n", at + 2);
        german.replace(at, end - at, "\r\n106-Pause vorbei!");
    }
    CHECK(e2e::WriteFileBytes(e2e::SettingsFolder() + "Deutsch_v167.txt", german), "the language file is written");
    // One-second preset and an automatic break, so that the break shows message 106 on button 37.
    CHECK(e2e::WriteFileBytes(e2e::SettingsFolder() + "HV_Settings.ini",
                              "\xEF\xBB\xBF\r\n[Horavel]\r\nLanguage = Deutsch\r\nButton1 = 1\r\n"
                              "FinishAutoBreakTimer = 1\r\nStartupLocation = 3\r\n"),
          "the settings file is written");
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        e2e::PressGadget(window, 38);
        e2e::PressGadget(window, 37);
        CHECK(e2e::WaitForCaption(window, 37, "Pause vorbei!", 8000),
              "the break's stop button reads the user's German text, not \"" +
                  e2e::WindowText(e2e::FindChild(window, 37).hwnd) + "\"");
        e2e::Pause(1500);
        e2e::Screenshot("break_in_german");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}
