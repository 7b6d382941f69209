#include "WavFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace notaro::playback {

namespace {

constexpr uint32_t kHeaderBytes = 44;
constexpr uint64_t kMaxDataBytes = 0xFFFFFFFFull - kHeaderBytes;
constexpr int kTempAttempts = 100;

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
    if (::faccessat(AT_FDCWD, path_.c_str(), F_OK, 0) == 0 &&
        ::faccessat(AT_FDCWD, path_.c_str(), W_OK, AT_EACCESS) != 0)
        return false;
    const size_t slash = path_.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "./" : path_.substr(0, slash + 1);
    // O_EXCL under a fresh name: a file or link already there is never opened or truncated.
    thread_local std::mt19937 random{std::random_device{}()};
    int fd = -1;
    for (int attempt = 0; attempt < kTempAttempts && fd < 0; ++attempt) {
        tempPath_ = folder + ".notaro-wav-" + std::to_string(::getpid()) + "-" +
                    std::to_string(random() % 1000000u);
        fd = ::open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        ::close(fd);
        std::remove(tempPath_.c_str());
        return false;
    }
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
    // The samples reach the disk before the rename, so a crash never leaves an empty file
    // where the old one was.
    const bool written = std::fseek(file_, 0, SEEK_SET) == 0 &&
                         std::fwrite(h, 1, sizeof h, file_) == sizeof h &&
                         std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!written || !closed || std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        std::remove(tempPath_.c_str());
        return false;
    }
    return true;
}

} // namespace notaro::playback
