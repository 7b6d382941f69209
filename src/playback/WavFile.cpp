#include "WavFile.h"

#include <cstring>
#include <unistd.h>

namespace notaro::playback {

namespace {

constexpr uint32_t kHeaderBytes = 44;
constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - kHeaderBytes;

void putLE(unsigned char* p, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

} // namespace

WavFile::WavFile(std::string path, int32_t sampleRate, int32_t channels)
    : path_(std::move(path)), sampleRate_(sampleRate), channels_(channels) {}

WavFile::~WavFile() {
    if (file_) {
        std::fclose(file_);
        std::remove(tempPath_.c_str());
    }
}

bool WavFile::open() {
    const size_t slash = path_.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path_.substr(0, slash + 1);
    tempPath_ = folder + (slash == std::string::npos ? "/" : "") + ".notaro-wav-" +
                std::to_string(::getpid());
    file_ = std::fopen(tempPath_.c_str(), "wb");
    if (!file_)
        return false;
    unsigned char header[kHeaderBytes] = {};
    ok_ = std::fwrite(header, 1, sizeof header, file_) == sizeof header;
    return ok_;
}

bool WavFile::write(const int16_t* samples, size_t count) {
    if (!ok_ || !file_)
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
        if (std::fwrite(buf, 2, n, file_) != n)
            return ok_ = false;
        done += n;
    }
    dataBytes_ += bytes;
    return true;
}

bool WavFile::commit() {
    if (!ok_ || !file_)
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
    const bool written =
        std::fseek(file_, 0, SEEK_SET) == 0 && std::fwrite(h, 1, sizeof h, file_) == sizeof h;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!written || !closed || std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        std::remove(tempPath_.c_str());
        return false;
    }
    return true;
}

} // namespace notaro::playback
