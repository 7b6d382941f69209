#include "playback/WavFile.h"

#include "base/AtomicFile.h"

#include <algorithm>
#include <cstring>

namespace notaro::playback {

namespace {

constexpr uint32_t kHeaderBytes = 44;
constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - kHeaderBytes;

void putLE(unsigned char* p, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::string_view asBytes(const unsigned char* p, size_t n) {
    return {reinterpret_cast<const char*>(p), n};
}

} // namespace

WavFile::WavFile(std::string path, int32_t sampleRate, int32_t channels)
    : file_(std::make_unique<base::AtomicFile>(std::move(path))), sampleRate_(sampleRate),
      channels_(channels) {}

WavFile::~WavFile() = default;

bool WavFile::open() {
    // The header's sizes are known only at the end: room for it now, filled in by commit().
    const unsigned char header[kHeaderBytes] = {};
    ok_ = file_->open() == 0 && file_->write(asBytes(header, sizeof header)) == 0;
    return ok_;
}

bool WavFile::write(const int16_t* samples, size_t count) {
    if (!ok_)
        return false;
    const uint64_t bytes = static_cast<uint64_t>(count) * 2;
    if (dataBytes_ + bytes > kMaxDataBytes)
        return ok_ = false;
    unsigned char buf[8192];
    size_t done = 0;
    while (done < count) {
        const size_t n = std::min(count - done, sizeof buf / 2);
        for (size_t i = 0; i < n; ++i)
            putLE(buf + 2 * i, static_cast<uint16_t>(samples[done + i]), 2);
        if (file_->write(asBytes(buf, 2 * n)) != 0)
            return ok_ = false;
        done += n;
    }
    dataBytes_ += bytes;
    return true;
}

bool WavFile::commit() {
    if (!ok_)
        return false;
    unsigned char h[kHeaderBytes];
    std::memcpy(h, "RIFF", 4);
    putLE(h + 4, static_cast<uint32_t>(dataBytes_ + kHeaderBytes - 8), 4);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    putLE(h + 16, 16, 4);
    putLE(h + 20, 1, 2); // PCM
    putLE(h + 22, static_cast<uint32_t>(channels_), 2);
    putLE(h + 24, static_cast<uint32_t>(sampleRate_), 4);
    putLE(h + 28, static_cast<uint32_t>(sampleRate_ * channels_ * 2), 4);
    putLE(h + 32, static_cast<uint32_t>(channels_ * 2), 2);
    putLE(h + 34, 16, 2);
    std::memcpy(h + 36, "data", 4);
    putLE(h + 40, static_cast<uint32_t>(dataBytes_), 4);
    ok_ = file_->writeAt(0, asBytes(h, sizeof h)) == 0 && file_->commit() == 0;
    return ok_;
}

} // namespace notaro::playback
