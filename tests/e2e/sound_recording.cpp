#include "tests/e2e/sound_recording.h"

#include "tests/e2e/case_support.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace e2e {

namespace {

std::string RecordingPath() { return EnvironmentValue("HORAVEL_SOUND_RECORDING"); }

constexpr int StepSamples = RecordingRate / 100;
constexpr int Threshold = 164;  // 0.5 % of full scale, about -46 dB
constexpr double BridgedPause = 0.35;

void PutLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

long long RecordedLength() {
    const std::string path = RecordingPath();
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return -1;
    const long long bytes = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return bytes / 2;
}

bool WaitForRecordedLength(long long samples, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 50) {
        const long long length = RecordedLength();
        if (length < 0) return false;
        if (length >= samples) return true;
        if (waited >= timeoutMs) return false;
        Sleep(50);
    }
}

bool WaitForRecordingAfter(long long from, double seconds) {
    const long long samples = from + static_cast<long long>(seconds * RecordingRate);
    return WaitForRecordedLength(samples, static_cast<DWORD>(seconds * 1000) + 10000);
}

std::vector<Sounding> SoundingsAfter(long long from, double seconds) {
    std::string bytes;
    std::vector<Sounding> found;
    if (from < 0 || !ReadFileBytes(RecordingPath(), bytes)) return found;
    const long long end = std::min<long long>(static_cast<long long>(bytes.size() / 2),
                                              from + static_cast<long long>(seconds * RecordingRate));
    for (long long step = from; step + StepSamples <= end; step += StepSamples) {
        int peak = 0;
        for (long long i = step; i < step + StepSamples; ++i) {
            std::int16_t sample;
            std::memcpy(&sample, bytes.data() + 2 * i, 2);
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        if (peak < Threshold) continue;
        const double at = static_cast<double>(step - from) / RecordingRate;
        const double stepSeconds = static_cast<double>(StepSamples) / RecordingRate;
        if (!found.empty() && at - (found.back().start + found.back().length) < BridgedPause) {
            found.back().length = at + stepSeconds - found.back().start;
        } else {
            found.push_back({at, stepSeconds});
        }
    }
    return found;
}

std::string Describe(const std::vector<Sounding>& soundings) {
    std::string text = soundings.empty() ? "silence" : "";
    for (const Sounding& s : soundings) {
        char part[64];
        std::snprintf(part, sizeof part, "%s%.2f s at %.2f s", text.empty() ? "" : ", ", s.length, s.start);
        text += part;
    }
    return text;
}

double DecodedSoundEnergy(const std::string& path) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) return -1;
    ov_callbacks fromMemory{};
    struct Source {
        const std::string& bytes;
        std::size_t at = 0;
    } source{bytes};
    fromMemory.read_func = [](void* into, std::size_t size, std::size_t count, void* from) -> std::size_t {
        auto* s = static_cast<Source*>(from);
        const std::size_t items = size ? std::min(count, (s->bytes.size() - s->at) / size) : 0;
        std::memcpy(into, s->bytes.data() + s->at, items * size);
        s->at += items * size;
        return items;
    };
    OggVorbis_File file;
    if (ov_open_callbacks(&source, &file, nullptr, 0, fromMemory) != 0) return -1;
    const double rate = static_cast<double>(ov_info(&file, -1)->rate);
    double sum = 0;
    std::int16_t samples[2048];
    int section = 0;
    long got;
    while ((got = ov_read(&file, reinterpret_cast<char*>(samples), sizeof samples, 0, 2, 1, &section)) > 0) {
        for (long i = 0; i < got / 2; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    }
    ov_clear(&file);
    return got < 0 ? -1 : sum / rate;
}

Onset OnsetBetween(long long from, long long to) {
    Onset onset;
    std::string bytes;
    if (from < 0 || !ReadFileBytes(RecordingPath(), bytes)) return onset;
    const long long end = std::min<long long>(to, static_cast<long long>(bytes.size() / 2));
    double sum = 0;
    for (long long i = from; i < end; ++i) {
        std::int16_t sample;
        std::memcpy(&sample, bytes.data() + 2 * i, 2);
        if (onset.first < 0 && std::abs(static_cast<int>(sample)) >= Threshold) onset.first = i;
        sum += static_cast<double>(sample) * sample;
    }
    onset.energy = sum / RecordingRate;
    return onset;
}

bool WriteToneWav(const std::string& path, double frequency, double seconds) {
    const std::uint32_t samples = static_cast<std::uint32_t>(seconds * 22050);
    std::string wav = "RIFF";
    PutLe(wav, 36 + samples * 2, 4);
    wav += "WAVEfmt ";
    PutLe(wav, 16, 4);
    PutLe(wav, 1, 2);  // PCM
    PutLe(wav, 1, 2);  // mono
    PutLe(wav, 22050, 4);
    PutLe(wav, 44100, 4);
    PutLe(wav, 2, 2);
    PutLe(wav, 16, 2);
    wav += "data";
    PutLe(wav, samples * 2, 4);
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double v = 0.6 * std::sin(2 * 3.14159265358979 * frequency * i / 22050);
        PutLe(wav, static_cast<std::uint16_t>(static_cast<std::int16_t>(v * 32767)), 2);
    }
    return WriteFileBytes(path, wav);
}

std::vector<Sounding> WaitForSoundings(long long from, std::size_t count, double seconds) {
    std::vector<Sounding> heard;
    for (int i = 0; i < 200; ++i) {
        const long long now = RecordedLength();
        const double recorded = static_cast<double>(now - from) / RecordingRate;
        heard = SoundingsAfter(from, std::min(recorded, seconds));
        if (heard.size() >= count && recorded - (heard.back().start + heard.back().length) > 0.5) break;
        if (recorded >= seconds) break;
        Pause(50);
    }
    return heard;
}

std::string SoundFolder(const std::string& name) {
    const std::string folder = EnvironmentValue("TEMP") + "\\" + name;
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
    return folder;
}

bool WriteSoundSettings(int button1, int button2, const std::string& soundLines) {
    CreateDirectoryW(Widen(SettingsFolder()).c_str(), nullptr);
    const std::string file = "[Horavel]\r\nShowTimer = 1\r\nStartupLocation = 3\r\nWarningFlash = 0\r\n"
                             "WarningPopup = 0\r\nFinishFlash = 0\r\nFinishPopup = 0\r\nFinishAutoBreakTimer = 0\r\n"
                             "FinishAutoRestart = 0\r\nButton1 = " +
                             std::to_string(button1) + "\r\nButton2 = " + std::to_string(button2) + "\r\n" + soundLines;
    return CHECK(WriteFileBytes(SettingsFolder() + "HV_Settings.ini", file), "the settings file is written");
}

long long RunPreset(HWND window, int gadget) {
    PressGadget(window, gadget);  // a paused timer takes the length and stays paused
    const long long start = RecordedLength();
    PressGadget(window, 37);
    if (!CHECK(WaitForCaption(window, 37, "||", 2000), "the count-down runs")) return -1;
    CHECK(start >= 0, "the harness records the sound output (HORAVEL_SOUND_RECORDING)");
    return start;
}

std::optional<std::vector<Sounding>> HeardAfter(long long start, double seconds, const std::string& what) {
    if (start < 0 || !CHECK(WaitForRecordingAfter(start, seconds), "the recording goes on")) return std::nullopt;
    std::vector<Sounding> heard = SoundingsAfter(start, seconds);
    Log(what + ": " + Describe(heard));
    return heard;
}

}  // namespace e2e
