#include "sound/ogg_decoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

namespace {

struct MemoryStream {
    std::span<const unsigned char> data;
    std::size_t position = 0;
    OggVorbis_File file{};
};

std::size_t ReadMemory(void* into, std::size_t size, std::size_t count, void* source) {
    auto* m = static_cast<MemoryStream*>(source);
    if (size == 0) return 0;
    const std::size_t items = std::min(count, (m->data.size() - m->position) / size);
    std::memcpy(into, m->data.data() + m->position, items * size);
    m->position += items * size;
    return items;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
    auto* m = static_cast<MemoryStream*>(source);
    const ogg_int64_t base = whence == SEEK_SET   ? 0
                             : whence == SEEK_CUR ? static_cast<ogg_int64_t>(m->position)
                                                  : static_cast<ogg_int64_t>(m->data.size());
    const ogg_int64_t target = base + offset;
    if (target < 0 || target > static_cast<ogg_int64_t>(m->data.size())) return -1;
    m->position = static_cast<std::size_t>(target);
    return 0;
}

long TellMemory(void* source) { return static_cast<long>(static_cast<MemoryStream*>(source)->position); }

void* Open(std::span<const unsigned char> data, int* channels, int* rate) {
    auto* m = new MemoryStream{data};
    const ov_callbacks callbacks{ReadMemory, SeekMemory, nullptr, TellMemory};
    if (ov_open_callbacks(m, &m->file, nullptr, 0, callbacks) != 0) {
        delete m;  // vorbisfile has released what it took
        return nullptr;
    }
    const vorbis_info* info = ov_info(&m->file, -1);
    *channels = info->channels;
    *rate = static_cast<int>(info->rate);
    return m;
}

int Read(void* stream, std::int16_t* samples, int maxSamples) {
    auto* m = static_cast<MemoryStream*>(stream);
    for (;;) {
        int section = 0;
        const long bytes = ov_read(&m->file, reinterpret_cast<char*>(samples), maxSamples * 2, 0, 2, 1, &section);
        if (bytes == OV_HOLE) continue;  // a gap in the data: decoding goes on after it
        if (bytes < 0) return -1;
        return static_cast<int>(bytes / 2);
    }
}

void Close(void* stream) {
    auto* m = static_cast<MemoryStream*>(stream);
    ov_clear(&m->file);
    delete m;
}

const platform::SoundDecoder kDecoder{Open, Read, Close};

}  // namespace

const platform::SoundDecoder& OggVorbisDecoder() { return kDecoder; }
