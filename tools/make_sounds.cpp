// Synthesises the nineteen built-in alert sounds and writes each as a mono Ogg
// Vorbis file into the folder given on the command line:
//     make_sounds resources/sounds
// The output depends on nothing but this file and libvorbis, so running it
// again reproduces the same bytes. Every clip has exactly the sample rate and
// the number of samples the player and its tests expect.
#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr double Pi = 3.14159265358979323846;

struct Clip {
    int rate;
    std::vector<float> samples;
    double Seconds() const { return static_cast<double>(samples.size()) / rate; }
};

using Curve = std::function<double(double)>;  // of the time in seconds since the voice started

// A deterministic noise source (the same numbers on every machine).
struct Noise {
    std::uint32_t state = 22222;
    double Next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }
};

double Clamp01(double x) { return std::clamp(x, 0.0, 1.0); }

// Linear attack, then exponential decay (time constant `decay` seconds, 0 for
// none), ending with a linear release over the last `release` seconds.
Curve Envelope(double length, double attack, double decay, double release) {
    return [=](double t) {
        double a = attack > 0 ? Clamp01(t / attack) : 1.0;
        if (decay > 0) a *= std::exp(-t / decay);
        if (release > 0) a *= Clamp01((length - t) / release);
        return a;
    };
}

// Adds a voice from `start` for `length` seconds: a fundamental following
// `pitch`, its harmonics weighted by `timbre`(harmonic number, frequency), all
// shaped by `amplitude`. Harmonics above 90 % of the Nyquist limit are left out.
void AddVoice(Clip& clip, double start, double length, const Curve& pitch, const Curve& amplitude,
              const std::function<double(int, double)>& timbre, int harmonics = 1) {
    const std::size_t first = static_cast<std::size_t>(start * clip.rate);
    const std::size_t count = static_cast<std::size_t>(length * clip.rate);
    double phase = 0;
    for (std::size_t i = 0; i < count && first + i < clip.samples.size(); ++i) {
        const double t = static_cast<double>(i) / clip.rate;
        const double f = pitch(t);
        double value = 0;
        for (int h = 1; h <= harmonics; ++h) {
            if (h * f > 0.45 * clip.rate) break;
            value += timbre(h, h * f) * std::sin(2 * Pi * h * phase);
        }
        clip.samples[first + i] += static_cast<float>(value * amplitude(t));
        phase += f / clip.rate;
        phase -= std::floor(phase);
    }
}

Curve Constant(double v) {
    return [v](double) { return v; };
}

double Pure(int h, double) { return h == 1 ? 1.0 : 0.0; }

// A struck bar or bell: partials at the given ratios of `base`, each dying away
// faster than the one below.
void AddStrike(Clip& clip, double start, double length, double base, const std::vector<double>& ratios,
               double decay) {
    for (std::size_t p = 0; p < ratios.size(); ++p) {
        const double partialDecay = decay / (1.0 + 0.8 * static_cast<double>(p));
        AddVoice(clip, start, length, Constant(base * ratios[p]),
                 Envelope(length, 0.002, partialDecay, 0.02 * length), Pure);
    }
}

// The vowel colour of a voice: resonances (centre, width) in hertz.
std::function<double(int, double)> Vowel(std::vector<std::pair<double, double>> formants, double tilt = 1.0) {
    return [=](int h, double f) {
        double gain = 0.05;
        for (const auto& [centre, width] : formants) gain += 1.0 / (1.0 + std::pow((f - centre) / width, 2));
        return gain / std::pow(h, tilt);
    };
}

std::function<double(int, double)> Brass(double brightness) {
    return [=](int h, double) { return std::pow(h, -brightness); };
}

void AddNoise(Clip& clip, double start, double length, double amp, double decay, Noise& noise) {
    const std::size_t first = static_cast<std::size_t>(start * clip.rate);
    const std::size_t count = static_cast<std::size_t>(length * clip.rate);
    for (std::size_t i = 0; i < count && first + i < clip.samples.size(); ++i) {
        const double t = static_cast<double>(i) / clip.rate;
        clip.samples[first + i] += static_cast<float>(amp * noise.Next() * std::exp(-t / decay));
    }
}

// 3 ms fades at both ends, so nothing clicks.
void Fade(Clip& clip) {
    const std::size_t fade = static_cast<std::size_t>(0.003 * clip.rate);
    const std::size_t n = clip.samples.size();
    for (std::size_t i = 0; i < fade && i < n; ++i) {
        const float gain = static_cast<float>(i) / static_cast<float>(fade);
        clip.samples[i] *= gain;
        clip.samples[n - 1 - i] *= gain;
    }
}

double Peak(const std::vector<float>& samples) {
    double highest = 0;
    for (float s : samples) highest = std::max(highest, static_cast<double>(std::fabs(s)));
    return highest;
}

double Rms(const std::vector<float>& samples) {
    double sum = 0;
    for (float s : samples) sum += static_cast<double>(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

double FromDecibels(double db) { return std::pow(10.0, db / 20); }

// Every sound is brought to the same RMS level, so that none is much louder
// than another, unless its peaks would pass PeakCeiling first: a sound of
// sharp strikes (a clang, a gong) stays somewhat quieter rather than clip.
const double TargetRms = FromDecibels(-16);
const double PeakCeiling = FromDecibels(-1.5);
// The decoded stream may peak higher than what went into the encoder; it
// must stay at or below this (-1 dBFS in 16-bit samples, with a hair to spare).
constexpr int DecodedPeakLimit = 29100;

void Scale(Clip& clip, double gain) {
    for (float& s : clip.samples) s = static_cast<float>(s * gain);
}

Clip Beep(Clip c) {
    const double len = c.Seconds();
    AddVoice(c, 0, len, Constant(1000), Envelope(len, 0.005, 0, 0.01), Brass(2.5), 5);
    return c;
}

Clip Pop(Clip c) {
    const double len = c.Seconds();
    Noise noise;
    AddVoice(c, 0, len, [](double t) { return 180 + 700 * std::exp(-t / 0.012); }, Envelope(len, 0.001, 0.02, 0.01),
             Pure);
    AddNoise(c, 0, 0.01, 0.4, 0.003, noise);
    return c;
}

Clip DingDong(Clip c) {
    AddStrike(c, 0, 0.14, 659.25, {1, 2.0, 3.0}, 0.1);
    AddStrike(c, 0.12, c.Seconds() - 0.12, 523.25, {1, 2.0, 3.0}, 0.12);
    return c;
}

Clip DoorBell(Clip c) {
    // The two tubes of a chime, a major third apart, each ringing on under the next.
    AddStrike(c, 0, c.Seconds(), 659.25, {1, 2.76, 5.40}, 0.45);
    AddStrike(c, 0.40, c.Seconds() - 0.40, 523.25, {1, 2.76, 5.40}, 0.35);
    return c;
}

Clip Warning(Clip c) {
    for (double start : {0.0, 0.21}) AddVoice(c, start, 0.17, Constant(1200), Envelope(0.17, 0.004, 0, 0.01), Brass(1.2), 7);
    return c;
}

Clip Ring(Clip c) {
    // A telephone's bell: two close tones, hammered twenty times a second.
    const double len = c.Seconds();
    const Curve hammer = [len](double t) {
        return (0.55 + 0.45 * std::sin(2 * Pi * 20 * t)) * Envelope(len, 0.01, 0, 0.08)(t);
    };
    AddVoice(c, 0, len, Constant(440), hammer, Brass(1.5), 4);
    AddVoice(c, 0, len, Constant(480), hammer, Brass(1.5), 4);
    return c;
}

Clip Attention(Clip c) {
    const double notes[] = {660, 880, 1100};
    for (int i = 0; i < 3; ++i) AddVoice(c, 0.23 * i, 0.2, Constant(notes[i]), Envelope(0.2, 0.005, 0.2, 0.03), Brass(1.8), 6);
    return c;
}

Clip Boing(Clip c) {
    const double len = c.Seconds();
    const Curve pitch = [](double t) { return 150 + 120 * (1 - std::exp(-t / 0.04)) + 40 * std::sin(2 * Pi * 11 * t) * std::exp(-t / 0.25); };
    AddVoice(c, 0, len, pitch, Envelope(len, 0.003, 0.2, 0.05), Brass(1.3), 8);
    return c;
}

Clip Clang(Clip c) {
    Noise noise;
    AddStrike(c, 0, c.Seconds(), 520, {1, 2.17, 3.21, 4.5, 5.96}, 0.35);
    AddNoise(c, 0, 0.03, 0.5, 0.008, noise);
    return c;
}

Clip Gong(Clip c) {
    const double len = c.Seconds();
    const double ratios[] = {1, 1.52, 2.03, 2.61, 3.3, 4.16};
    for (int p = 0; p < 6; ++p) {
        // A slow swell of the upper partials after the strike, as a gong blooms.
        const double swell = 0.05 + 0.1 * p;
        AddVoice(c, 0, len, [=](double t) { return 98 * ratios[p] * (1 - 0.01 * std::exp(-t / 0.5)); },
                 Envelope(len, swell, 1.05 / (1 + 0.3 * p), 0.15), Pure);
    }
    Noise noise;
    AddNoise(c, 0, 0.05, 0.3, 0.01, noise);
    return c;
}

Clip Alarm(Clip c) {
    // An alarm clock's bell: a hammer at 16 strokes a second, in four bursts.
    for (double start : {0.0, 0.5, 1.0, 1.5}) {
        const Curve strokes = [](double t) { return std::exp(-std::fmod(t, 1.0 / 16) / 0.03); };
        AddVoice(c, start, 0.42, Constant(1950), strokes, Brass(1.0), 3);
        AddVoice(c, start, 0.42, Constant(2620), strokes, Pure);
    }
    return c;
}

Clip BoatHorn(Clip c) {
    const double len = c.Seconds();
    AddVoice(c, 0, len, Constant(98), Envelope(len, 0.15, 0, 0.35), Brass(0.9), 40);
    AddVoice(c, 0, len, Constant(147), Envelope(len, 0.2, 0, 0.35), Brass(1.1), 30);
    return c;
}

Clip BusHorn(Clip c) {
    const double len = c.Seconds();
    AddVoice(c, 0, len, Constant(370), Envelope(len, 0.02, 0, 0.05), Brass(0.8), 20);
    AddVoice(c, 0, len, Constant(466), Envelope(len, 0.02, 0, 0.05), Brass(0.8), 20);
    return c;
}

Clip Chimpanzee(Clip c) {
    // Pant-hoots that quicken and rise, ending in two screams.
    const auto hoo = Vowel({{350, 120}, {800, 200}});
    const auto ah = Vowel({{900, 250}, {1400, 300}}, 0.7);
    double start = 0;
    for (int i = 0; i < 9; ++i) {
        const double len = 0.2 - 0.012 * i;
        const double f = 260 + 45 * i;
        AddVoice(c, start, len, [=](double t) { return f * (1 + 0.3 * t / len); }, Envelope(len, 0.02, 0, 0.06),
                 i % 2 ? ah : hoo, 12);
        start += len + 0.04;
    }
    for (int i = 0; i < 2; ++i) {
        const double len = 0.32;
        AddVoice(c, start, len, [](double t) { return 1100 + 120 * std::sin(2 * Pi * 9 * t); },
                 Envelope(len, 0.02, 0, 0.08), ah, 6);
        start += len + 0.05;
    }
    return c;
}

Clip BabyCrying(Clip c) {
    // Four "waah"s with a breath between: a rise and fall of pitch and a shaky voice.
    const auto waah = Vowel({{1100, 250}, {1600, 300}, {3200, 500}}, 0.8);
    for (int i = 0; i < 4; ++i) {
        const double len = 1.0;
        const double base = 420 + 25 * (i % 2);
        AddVoice(c, 0.1 + 1.22 * i, len,
                 [=](double t) { return base * (1 + 0.25 * std::sin(Pi * t / len)) * (1 + 0.02 * std::sin(2 * Pi * 7 * t)); },
                 Envelope(len, 0.08, 0, 0.2), waah, 10);
    }
    return c;
}

Clip Cow(Clip c) {
    // "Mmmoooo": a low voice opening from a hum into a vowel, pitch rising and sagging.
    const double len = c.Seconds() - 0.05;
    const Curve pitch = [len](double t) { return 105 + 35 * std::sin(Pi * std::min(1.0, t / len * 1.3)); };
    AddVoice(c, 0, len, pitch, [len](double t) { return Envelope(len, 0.25, 0, 0.5)(t) * Clamp01(t / 0.4); },
             Vowel({{300, 90}, {650, 160}}, 1.2), 30);
    AddVoice(c, 0, 0.45, pitch, Envelope(0.45, 0.1, 0, 0.2), Vowel({{250, 60}}, 2.0), 10);
    return c;
}

Clip GetOffTheStage(Clip c) {
    // The buzzer that sends an act off: two harsh, beating, falling tones.
    const double len = c.Seconds();
    for (double f : {140.0, 147.0}) {
        AddVoice(c, 0, len, [=](double t) { return f * (1 - 0.12 * t); }, Envelope(len, 0.01, 0, 0.06), Brass(0.6), 40);
    }
    return c;
}

Clip Fanfare(Clip c) {
    struct Note {
        double start, length, frequency;
    };
    // ta-ta-ta-taaa, then the triad up to a held top note.
    const Note notes[] = {{0.00, 0.16, 392.0}, {0.20, 0.16, 392.0}, {0.40, 0.16, 392.0}, {0.60, 0.70, 523.25},
                          {1.40, 0.30, 659.25}, {1.75, 0.30, 783.99}, {2.10, 1.65, 1046.5}};
    for (const Note& n : notes) {
        const Curve pitch = [=](double t) { return n.frequency * (1 + 0.006 * std::sin(2 * Pi * 5.5 * t) * Clamp01(t - 0.2)); };
        AddVoice(c, n.start, n.length, pitch, Envelope(n.length, 0.03, 0, std::min(0.25, n.length / 3)), Brass(1.1), 14);
    }
    return c;
}

Clip ProgressivelyLouder(Clip c) {
    // Two beeps a second, from a murmur (-36 dB) up to full volume, evenly in
    // decibels. The beeps fill most of each half second, so that the sound as a
    // whole is not much quieter than the others for the quiet start.
    const double len = c.Seconds(), beep = 0.32;
    for (double start = 0.05; start + beep < len; start += 0.5) {
        const double gain = std::pow(10.0, (-36 + 36 * start / len) / 20);
        const double f = std::fmod(start, 1.0) < 0.5 ? 880 : 1175;
        AddVoice(c, start, beep, Constant(f), [=](double t) { return gain * Envelope(beep, 0.005, 0, 0.02)(t); },
                 Brass(1.6), 6);
    }
    return c;
}

struct Sound {
    const char* file;
    int rate;
    int samples;
    Clip (*render)(Clip);
};

const Sound kSounds[] = {
    {"01_beep.ogg", 22050, 3610, Beep},
    {"02_pop.ogg", 22050, 1697, Pop},
    {"03_ding_dong.ogg", 22050, 5494, DingDong},
    {"04_door_bell.ogg", 11025, 9848, DoorBell},
    {"05_warning.ogg", 11025, 4409, Warning},
    {"06_ring.ogg", 11025, 9981, Ring},
    {"07_attention.ogg", 12128, 8548, Attention},
    {"08_boing.ogg", 11025, 5483, Boing},
    {"09_clang.ogg", 11025, 7446, Clang},
    {"10_gong.ogg", 11025, 38588, Gong},
    {"11_alarm.ogg", 11025, 21339, Alarm},
    {"12_boat_horn.ogg", 11025, 20232, BoatHorn},
    {"13_bus_horn.ogg", 22254, 13080, BusHorn},
    {"14_chimpanzee.ogg", 11025, 30832, Chimpanzee},
    {"15_baby_crying.ogg", 11025, 54876, BabyCrying},
    {"16_cow.ogg", 11025, 22239, Cow},
    {"17_get_off_the_stage.ogg", 11025, 10521, GetOffTheStage},
    {"18_fanfare.ogg", 11025, 41818, Fanfare},
    {"19_progressively_louder.ogg", 44100, 2488529, ProgressivelyLouder},
};

void WritePages(ogg_stream_state& stream, std::string& out, bool flush) {
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        out.append(reinterpret_cast<const char*>(page.header), static_cast<std::size_t>(page.header_len));
        out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
    }
}

// Encodes one clip into an Ogg file in memory; the stream's serial number is
// the sound's number, so the files are the same on every run. Empty when the
// encoder refuses the clip.
std::string Encode(const Clip& clip, int serial, float quality) {
    std::string out;
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 1, clip.rate, quality) != 0) {
        vorbis_info_clear(&info);
        return out;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_init(&stream, serial);
    ogg_packet id, comments, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &id, &comments, &codebooks);
    ogg_stream_packetin(&stream, &id);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    WritePages(stream, out, true);  // audio starts on a page of its own

    // Chunks of audio, then an empty one that marks the end of the stream.
    constexpr std::size_t Chunk = 1024;
    for (std::size_t at = 0;; at += Chunk) {
        const std::size_t n = std::min(Chunk, clip.samples.size() - std::min(at, clip.samples.size()));
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(n));
            std::copy_n(clip.samples.begin() + static_cast<std::ptrdiff_t>(at), n, buffer[0]);
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(n));
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                WritePages(stream, out, false);
            }
        }
        if (n == 0) break;
    }
    WritePages(stream, out, true);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

struct Memory {
    const std::string& bytes;
    std::size_t position = 0;
};

std::size_t ReadMemory(void* into, std::size_t size, std::size_t count, void* source) {
    auto* m = static_cast<Memory*>(source);
    const std::size_t items = size ? std::min(count, (m->bytes.size() - m->position) / size) : 0;
    std::memcpy(into, m->bytes.data() + m->position, items * size);
    m->position += items * size;
    return items;
}

// The highest magnitude among the 16-bit samples the file decodes to, as a
// player gets them; -1 when it does not decode.
int DecodedPeak(const std::string& file) {
    Memory memory{file};
    OggVorbis_File decoder;
    if (ov_open_callbacks(&memory, &decoder, nullptr, 0, {ReadMemory, nullptr, nullptr, nullptr}) != 0) return -1;
    int peak = 0;
    std::int16_t samples[4096];
    int section = 0;
    long bytes;
    while ((bytes = ov_read(&decoder, reinterpret_cast<char*>(samples), sizeof samples, 0, 2, 1, &section)) > 0) {
        for (long i = 0; i < bytes / 2; ++i) peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    }
    ov_clear(&decoder);
    return bytes < 0 ? -1 : peak;
}

// The clip at its level, encoded so that its decoded peak keeps within
// DecodedPeakLimit: a low-bitrate encode overshoots the input's peaks, so the
// gain comes down by the overshoot until the decoded stream fits.
std::string EncodeLevelled(Clip clip, int serial, float quality) {
    Fade(clip);
    const double peak = Peak(clip.samples), rms = Rms(clip.samples);
    if (peak <= 0) return {};
    Scale(clip, std::min(TargetRms / rms, PeakCeiling / peak));
    for (int attempt = 0; attempt < 20; ++attempt) {
        std::string file = Encode(clip, serial, quality);
        const int decoded = file.empty() ? -1 : DecodedPeak(file);
        if (decoded < 0) return {};
        if (decoded <= DecodedPeakLimit) return file;
        Scale(clip, 0.995 * DecodedPeakLimit / decoded);
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds OUTPUT_FOLDER\n");
        return 2;
    }
    int serial = 1;
    for (const Sound& s : kSounds) {
        Clip clip{s.rate, std::vector<float>(static_cast<std::size_t>(s.samples), 0.0f)};
        // Alerts need no hi-fi: the lowest quality keeps the program small.
        const std::string file = EncodeLevelled(s.render(std::move(clip)), serial++, -0.1f);
        const std::string path = std::string(argv[1]) + "/" + s.file;
        std::FILE* out = file.empty() ? nullptr : std::fopen(path.c_str(), "wb");
        const bool written = out && std::fwrite(file.data(), 1, file.size(), out) == file.size();
        if (!out || std::fclose(out) != 0 || !written) {
            std::fprintf(stderr, "make_sounds: cannot make %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
