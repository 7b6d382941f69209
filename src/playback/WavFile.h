#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace notaro::base {
class AtomicFile;
}

namespace notaro::playback {

/// A 16-bit PCM WAV file written in one pass: a temporary file beside the target collects the
/// samples, and commit() fills in the sizes and renames it over the target. Until then the
/// target is untouched; a WavFile destroyed without a successful commit removes its temporary
/// file, so an abandoned or failed file leaves nothing behind.
class WavFile {
public:
    WavFile(std::string path, int32_t sampleRate, int32_t channels);
    ~WavFile();
    WavFile(const WavFile&) = delete;
    WavFile& operator=(const WavFile&) = delete;

    /// Creates the temporary file under a new name of its own, so that it never writes
    /// through another file or link; false when it cannot be made, or when the target exists
    /// and is a folder or write-protected (the rename would replace it all the same).
    bool open();
    /// Appends interleaved samples; false on a write failure or when the file would pass 4 GiB.
    bool write(const int16_t* samples, size_t count);
    /// Completes the header, makes the samples reach the disk and renames the file into place;
    /// false when that fails.
    bool commit();

private:
    std::unique_ptr<base::AtomicFile> file_;
    int32_t sampleRate_;
    int32_t channels_;
    uint64_t dataBytes_ = 0;
    bool ok_ = true;
};

} // namespace notaro::playback
