// Sound output over winmm: a decoded stream fed to waveOut by a thread of its
// own that owns the device from opening to closing, so no buffer is ever
// released while the device may still read it, and that ends with the sound;
// and mciSendString, on a thread of its own, for the user's files.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <iterator>
#include <memory>
#include <mutex>
#include <process.h>
#include <span>
#include <string_view>
#include <vector>

#include "platform/sound.h"
#include "platform/sound_volume.h"
#include "platform/win32/text.h"

namespace platform {
namespace {

// Four buffers of a quarter second each: the device always has the next one
// while the thread decodes the one after it.
constexpr int BufferCount = 4;
constexpr int BuffersPerSecond = 4;
constexpr int LeadInMs = 40;

SoundDecoder decoder;

// How long a primed sound waits for its play request before it lets the
// device go: longer than PrimeSoundData's callers prime ahead.
constexpr DWORD PrimeHoldMs = 8000;

enum Phase { Waiting, Playing, GaveUp };

// One sound being played, or primed; its thread holds it until the device is closed.
struct Playback {
    std::span<const unsigned char> data;
    int volume = FullVolume;
    std::atomic<bool> stop{false};
    std::atomic<bool> ended{false};  // the thread let go of the device: nothing more sounds
    std::atomic<int> phase{Playing};
    HANDLE wake = CreateEventW(nullptr, TRUE, FALSE, nullptr);  // go, or stop
    ~Playback() {
        if (wake) CloseHandle(wake);
    }
};
// The user-interface thread's handles on the sound that plays and on the one primed.
std::shared_ptr<Playback> current, primed;
std::atomic<int> runningThreads{0};

void Cancel(std::shared_ptr<Playback>& p) {
    if (!p) return;
    p->stop = true;
    SetEvent(p->wake);
    p.reset();
}

// How often a playing thread looks for a stop request between buffers.
constexpr DWORD StopPollMs = 10;

struct Buffer {
    std::vector<std::int16_t> samples;
    WAVEHDR header{};
    bool queued = false;
};

// Decodes into the buffer at the volume; false when nothing is left of the stream.
bool Fill(void* stream, Buffer& b, int volume) {
    int filled = 0;
    const int capacity = static_cast<int>(b.samples.size());
    while (filled < capacity) {
        const int n = decoder.read(stream, b.samples.data() + filled, capacity - filled);
        if (n <= 0) break;
        filled += n;
    }
    ScaleSamples(std::span(b.samples.data(), static_cast<std::size_t>(filled)), volume);
    b.header.dwBufferLength = static_cast<DWORD>(filled * sizeof(std::int16_t));
    return filled > 0;
}

// Hands the buffer to the device; false when the device refuses it.
bool Write(HWAVEOUT device, Buffer& b) {
    b.header.dwFlags &= ~WHDR_DONE;
    b.queued = waveOutWrite(device, &b.header, sizeof b.header) == MMSYSERR_NOERROR;
    return b.queued;
}

bool Queue(HWAVEOUT device, void* stream, Buffer& b, int volume) { return Fill(stream, b, volume) && Write(device, b); }

void Play(Playback& p, void* stream, int channels, int rate) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = static_cast<DWORD>(rate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(channels * 2);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    HANDLE bufferDone = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HWAVEOUT device = nullptr;
    if (!bufferDone || waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(bufferDone), 0,
                                   CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        if (bufferDone) CloseHandle(bufferDone);
        return;
    }
    // Wine's audio path drops the first milliseconds of a stream that starts:
    // a little silence goes first, so that what is lost is that and never the
    // start of the sound. The first stretch of the sound is decoded before
    // either is handed over, so that nothing waits between the two.
    Buffer all[1 + BufferCount];
    Buffer& leadIn = all[0];
    const std::span<Buffer> buffers(all + 1, BufferCount);
    leadIn.samples.assign(static_cast<std::size_t>(rate * LeadInMs / 1000 * channels), 0);
    leadIn.header.dwBufferLength = static_cast<DWORD>(leadIn.samples.size() * sizeof(std::int16_t));
    for (Buffer& b : buffers) b.samples.resize(static_cast<std::size_t>(rate / BuffersPerSecond * channels));
    for (Buffer& b : all) {
        b.header.lpData = reinterpret_cast<LPSTR>(b.samples.data());
        waveOutPrepareHeader(device, &b.header, sizeof b.header);
    }
    bool more = Fill(stream, buffers[0], p.volume);
    // A primed sound waits here, ready, for its play request.
    if (p.phase == Waiting) WaitForSingleObject(p.wake, PrimeHoldMs);
    int waiting = Waiting;
    if (p.phase.compare_exchange_strong(waiting, GaveUp)) more = false;
    more = more && !p.stop && Write(device, leadIn) && Write(device, buffers[0]);
    for (int i = 1; i < BufferCount; ++i) more = more && Queue(device, stream, buffers[i], p.volume);
    // A stop request is a flag rather than an event, so that asking costs
    // the caller no call into the system.
    while (!p.stop) {
        bool playing = false;
        for (Buffer& b : buffers) {
            if (b.queued && (b.header.dwFlags & WHDR_DONE)) b.queued = more && (more = Queue(device, stream, b, p.volume));
            playing = playing || b.queued;
        }
        if (!playing) break;  // played to the end
        WaitForSingleObject(bufferDone, StopPollMs);
    }
    // The device lets go of every buffer at the reset; wait for each to say so.
    waveOutReset(device);
    for (Buffer& b : all) {
        while (waveOutUnprepareHeader(device, &b.header, sizeof b.header) == WAVERR_STILLPLAYING) {
            WaitForSingleObject(bufferDone, 10);
        }
    }
    waveOutClose(device);
    CloseHandle(bufferDone);
}

void __cdecl PlaybackThread(void* parameter) {
    const std::unique_ptr<std::shared_ptr<Playback>> held(static_cast<std::shared_ptr<Playback>*>(parameter));
    Playback& p = **held;
    int channels = 0, rate = 0;
    if (void* stream = decoder.open(p.data, &channels, &rate)) {
        if (channels >= 1 && channels <= 2 && rate > 0) Play(p, stream, channels, rate);
        decoder.close(stream);
    }
    // A primed sound whose device or stream did not open: a play request
    // starts it afresh rather than waking a thread that has ended.
    int waiting = Waiting;
    p.phase.compare_exchange_strong(waiting, GaveUp);
    p.ended = true;
    --runningThreads;
}

// The user's files: media-control commands run in their order on a thread of
// their own, which then owns the alias from its opening to its closing. An open
// can take as long as the file wants (a share that does not answer, a huge
// file): the caller never waits for one.
std::mutex mediaLock;
std::condition_variable mediaChanged;
std::deque<std::string> mediaWaiting;
bool mediaRunning = false;  // the thread is inside a command
bool mediaThreadStarted = false;
// From a "play" request until a close, or until the file is found to have
// ended or failed to play. Written under mediaLock.
std::atomic<bool> mediaPlaying{false};
std::string playedAlias;  // the alias of the last "play" run (the thread's own)

// How often the state of a file that plays is asked for.
constexpr auto PlayingPollInterval = std::chrono::milliseconds(250);

bool ClosesTheAlias(const std::string& command) { return command.starts_with("close "); }
bool PlaysTheAlias(const std::string& command) { return command.starts_with("play "); }

// The word after the command's verb: the alias it acts on.
std::string AliasOf(const std::string& command) {
    const std::size_t start = command.find(' ') + 1;
    return command.substr(start, command.find(' ', start) - start);
}

// Whether the media under the alias still plays.
bool StillPlaying(const std::string& alias) {
    wchar_t mode[32] = {};
    if (mciSendStringW(win32::Wide("status " + alias + " mode").c_str(), mode, 32, nullptr) != 0) return false;
    return std::wstring_view(mode) == L"playing" || std::wstring_view(mode) == L"seeking";
}

// Waits for the next command. While a file plays, its state is asked for
// meanwhile, and its end noted when no command has come in the while.
void WaitForCommand(std::unique_lock<std::mutex>& hold) {
    const auto commandWaits = [] { return !mediaWaiting.empty(); };
    while (mediaPlaying && !playedAlias.empty()) {
        if (mediaChanged.wait_for(hold, PlayingPollInterval, commandWaits)) return;
        hold.unlock();
        const bool still = StillPlaying(playedAlias);
        hold.lock();
        if (!still && mediaWaiting.empty()) mediaPlaying = false;
    }
    mediaChanged.wait(hold, commandWaits);
}

void __cdecl MediaThread(void*) {
    std::unique_lock hold(mediaLock);
    for (;;) {
        WaitForCommand(hold);
        // What waits before the last close would be closed as soon as it
        // opened (the thread was held up meanwhile): only that close and what
        // follows it run.
        const auto lastClose = std::find_if(mediaWaiting.rbegin(), mediaWaiting.rend(), ClosesTheAlias);
        if (lastClose != mediaWaiting.rend()) mediaWaiting.erase(mediaWaiting.begin(), std::prev(lastClose.base()));
        const std::string command = std::move(mediaWaiting.front());
        mediaWaiting.pop_front();
        mediaRunning = true;
        hold.unlock();
        const MCIERROR failed = mciSendStringW(win32::Wide(command).c_str(), nullptr, 0, nullptr);
        hold.lock();
        mediaRunning = false;
        if (PlaysTheAlias(command)) {
            playedAlias = AliasOf(command);
            if (failed && mediaWaiting.empty()) mediaPlaying = false;
        }
        mediaChanged.notify_all();
    }
}

}  // namespace

void RegisterSoundDecoder(const SoundDecoder& d) { decoder = d; }

bool SoundOutputAvailable() {
    if (waveOutGetNumDevs() == 0) return false;
    WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, 22050, 44100, 2, 16, 0};
    HWAVEOUT device = nullptr;
    if (waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) return false;
    waveOutClose(device);
    return true;
}

namespace {

// A thread for a new playback in the given phase; nullptr when none starts.
// Opening the decoder and the device and decoding all happen on the thread,
// so the caller gets back at once. The thread's handle closes itself when
// the thread ends.
std::shared_ptr<Playback> StartPlayback(std::span<const unsigned char> data, int volume, Phase phase) {
    if (!decoder.open || data.empty()) return nullptr;
    auto p = std::make_shared<Playback>();
    p->data = data;
    p->volume = volume;
    p->phase = phase;
    ++runningThreads;
    auto* held = new std::shared_ptr<Playback>(p);
    if (!p->wake || _beginthread(PlaybackThread, 0, held) == static_cast<std::uintptr_t>(-1)) {
        --runningThreads;
        delete held;
        return nullptr;
    }
    return p;
}

bool SameData(const std::shared_ptr<Playback>& p, std::span<const unsigned char> data, int volume) {
    return p && p->data.data() == data.data() && p->data.size() == data.size() && p->volume == volume;
}

}  // namespace

void PrimeSoundData(std::span<const unsigned char> data, int volume) {
    if (SameData(primed, data, volume) && primed->phase == Waiting) return;
    Cancel(primed);
    primed = StartPlayback(data, volume, Waiting);
}

void PlaySoundData(std::span<const unsigned char> data, int volume) {
    StopSoundData();
    int waiting = Waiting;
    if (SameData(primed, data, volume) && primed->phase.compare_exchange_strong(waiting, Playing)) {
        SetEvent(primed->wake);
        current = std::move(primed);
        return;
    }
    Cancel(primed);
    current = StartPlayback(data, volume, Playing);
}

bool SoundPlaying() { return (current && !current->ended) || mediaPlaying; }

void StopSoundData() {
    // The thread resets and closes its device by itself; waiting for that
    // here would hold up the caller for as long as the device takes.
    Cancel(current);
}

void WaitForSoundToStop() {
    StopSoundData();
    Cancel(primed);
    while (runningThreads > 0) Sleep(StopPollMs);
    // The last close of the user's file, unless an open that does not return
    // holds the thread: the process ends all the same.
    std::unique_lock hold(mediaLock);
    mediaChanged.wait_for(hold, std::chrono::seconds(2), [] { return mediaWaiting.empty() && !mediaRunning; });
}

void SendMediaCommand(const std::string& command) {
    {
        const std::lock_guard hold(mediaLock);
        mediaWaiting.push_back(command);
        if (PlaysTheAlias(command)) mediaPlaying = true;
        if (ClosesTheAlias(command)) mediaPlaying = false;
        if (!mediaThreadStarted) mediaThreadStarted = _beginthread(MediaThread, 0, nullptr) != static_cast<std::uintptr_t>(-1);
        if (!mediaThreadStarted) {
            mediaWaiting.clear();
            mediaPlaying = false;
        }
    }
    mediaChanged.notify_all();
}

}  // namespace platform
