// A save of the settings killed at any of its steps leaves the old or the new
// settings for the next start, never none; a save cut short before its file
// took the place of a missing settings file is recovered.
#include "tests/e2e/case_support.h"

namespace {

const char kOldSettings[] = "\xEF\xBB\xBF\r\n[Horavel]\r\nButton1 = 60\r\nStartupLocation = 3\r\n";

std::vector<std::string> TemporaryFiles() {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(e2e::Widen(e2e::SettingsFolder() + "HV_Settings.ini.*.tmp").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(e2e::Narrow(data.cFileName));
    while (FindNextFileW(search, &data));
    FindClose(search);
    return names;
}

// Starts the program and returns the caption of the first preset ("" when it does not start).
std::string FirstPresetAtStart(const std::string& exePath) {
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    const std::string caption = window ? e2e::WindowText(e2e::FindChild(window, 38).hwnd) : "";
    e2e::StopProgram(program);
    return caption;
}

}  // namespace

E2E_CASE(settings_survive_a_kill_at_every_step_of_a_save) {
    const std::string probe = exePath.substr(0, exePath.find_last_of('\\')) + "\\horavel_save_probe.exe";
    const std::string file = e2e::SettingsFolder() + "HV_Settings.ini";
    CreateDirectoryW(e2e::Widen(e2e::SettingsFolder()).c_str(), nullptr);
    int kills = 0;
    for (int step = 1; step <= 10; ++step) {
        const std::string at = "killed after save step " + std::to_string(step);
        CHECK(e2e::WriteFileBytes(file, kOldSettings), "the old settings file is written");
        // The save writes Button1 = 120: the preset reads 2m instead of 1m.
        e2e::Process save;
        DWORD exitCode = 1;
        if (!CHECK(e2e::StartProgram(probe, std::to_string(step) + " 120", save), "the save probe starts")) break;
        CHECK(e2e::WaitForExit(save, 30000, exitCode), "the save probe ends");
        e2e::StopProgram(save);
        const bool killed = exitCode == 9;
        if (killed) ++kills;
        const std::string caption = FirstPresetAtStart(exePath);
        if (killed)
            CHECK(caption == "1m" || caption == "2m", at + ": the next start reads the old or the new settings, "
                                                           "not \"" + caption + "\"");
        else
            CHECK(caption == "2m", "a whole save: the next start reads the new settings, not \"" + caption + "\"");
        CHECK(TemporaryFiles().empty(), at + ": the start removed the temporary file");
        if (!killed) break;
    }
    e2e::Log("the save was killed after " + std::to_string(kills) + " steps in turn");
    CHECK(kills >= 4, "the save was cut after each of its steps (" + std::to_string(kills) + " kills)");

    // No settings file, but the complete temporary file of a save that was
    // killed before its rename: the start takes it instead of the defaults.
    std::string saved;
    CHECK(e2e::ReadFileBytes(file, saved) && e2e::WriteFileBytes(file + ".4242.tmp", saved) &&
              e2e::WriteFileBytes(file + ".4243.tmp", saved.substr(0, saved.size() / 2)) && e2e::DeleteFilePath(file),
          "the settings file is replaced by a complete and a cut temporary file");
    const std::string recovered = FirstPresetAtStart(exePath);
    CHECK(recovered == "2m", "the complete temporary file is recovered, not \"" + recovered + "\"");
    std::string now;
    CHECK(e2e::ReadFileBytes(file, now) && now == saved, "it is the settings file again");
    CHECK(TemporaryFiles().empty(), "no temporary file is left");
    return e2e::Result();
}
