#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace notaro::playback {

/// A 16-bit PCM WAV file written in one pass: a temporary file beside the target collects the
/// samples, and commit() fills in the sizes and renames it over the target.
class WavFile {
public:
    WavFile(std::string path, int32_t sampleRate, int32_t channels);
    ~WavFile();
    WavFile(const WavFile&) = delete;
    WavFile& operator=(const WavFile&) = delete;

    /// Opens the temporary file; false when it cannot be made.
    bool open();
    /// Appends interleaved samples; false on a write failure or when the file would pass 4 GiB.
    bool write(const int16_t* samples, size_t count);
    /// Completes the header and renames the file into place; false when that fails.
    bool commit();

private:
    std::string path_;
    std::string tempPath_;
    int32_t sampleRate_;
    int32_t channels_;
    std::FILE* file_ = nullptr;
    uint64_t dataBytes_ = 0;
    bool ok_ = true;
};

} // namespace notaro::playback
