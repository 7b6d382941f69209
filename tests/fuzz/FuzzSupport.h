#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>

#include <sys/mman.h>
#include <unistd.h>

namespace notaro::fuzz {

/// Stops the run when a promise of the code under test does not hold, so the fuzzer keeps the
/// input that broke it (and the replay reports it).
inline void require(bool ok, const char* promise) {
    if (!ok) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

/// f(), which promises not to throw.
template <typename F> auto noThrow(F f, const char* promise) -> decltype(f()) {
    try {
        return f();
    } catch (const std::exception&) {
        require(false, promise);
    }
    return {};
}

/// Whether f() throws an E, as its header says it may.
template <typename E, typename F> bool throws(F f) {
    try {
        f();
    } catch (const E&) {
        return true;
    }
    return false;
}

inline std::string_view bytesOf(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

/// A file that lives in memory but has a path, so readers that open files by name read each
/// input exactly as they read a file on disk, without a disk write per input.
class MemoryFile {
public:
    MemoryFile()
        : fd_(::memfd_create("notaro-fuzz", MFD_CLOEXEC)),
          path_("/proc/self/fd/" + std::to_string(fd_)) {
        require(fd_ >= 0, "a memory file can be made");
    }
    ~MemoryFile() { ::close(fd_); }

    void assign(std::string_view bytes) {
        // A memory file takes a whole write at once.
        require(::ftruncate(fd_, 0) == 0 && ::pwrite(fd_, bytes.data(), bytes.size(), 0) ==
                                                static_cast<ssize_t>(bytes.size()),
                "a memory file can be rewritten");
    }
    const std::string& path() const { return path_; }

private:
    int fd_;
    std::string path_;
};

} // namespace notaro::fuzz
