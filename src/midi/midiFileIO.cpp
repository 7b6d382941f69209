#include "midiFileIO.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Unknown stream sizes are read in pieces of this size, so memory follows the bytes that really
// arrive.
constexpr int64_t kPieceSize = 64 * 1024;

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode a newly created file gets, so the replacement looks like any other file the user writes.
mode_t modeForNewFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        return st.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool writeAll(int fd, const std::string& bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

int64_t streamBytesRemaining(std::istream& in) {
    if (!in) {
        return 0;
    }
    const auto here = in.tellg();
    if (here < 0) {
        in.clear();
        return -1;
    }
    in.seekg(0, std::ios::end);
    const auto end = in.tellg();
    in.seekg(here);
    if (end < 0 || !in) {
        in.clear();
        in.seekg(here);
        return -1;
    }
    return static_cast<int64_t>(end - here);
}

bool readStreamBytes(std::istream& in, int64_t n, std::string& out) {
    out.clear();
    if (n <= 0) {
        return n == 0;
    }
    const int64_t remaining = streamBytesRemaining(in);
    if (remaining >= 0 && remaining < n) {
        skipStreamBytes(in, remaining);
        return false;
    }
    if (remaining >= 0) {
        out.resize(static_cast<size_t>(n));
        in.read(out.data(), static_cast<std::streamsize>(n));
        out.resize(static_cast<size_t>(in.gcount()));
        return static_cast<int64_t>(out.size()) == n;
    }
    while (static_cast<int64_t>(out.size()) < n) {
        const int64_t piece = std::min(kPieceSize, n - static_cast<int64_t>(out.size()));
        const size_t old = out.size();
        out.resize(old + static_cast<size_t>(piece));
        in.read(out.data() + old, static_cast<std::streamsize>(piece));
        out.resize(old + static_cast<size_t>(in.gcount()));
        if (in.gcount() < piece) {
            return false;
        }
    }
    return true;
}

bool skipStreamBytes(std::istream& in, int64_t n) {
    if (n <= 0) {
        return n == 0;
    }
    const int64_t remaining = streamBytesRemaining(in);
    if (remaining >= 0) {
        const int64_t step = std::min(remaining, n);
        in.seekg(static_cast<std::streamoff>(step), std::ios::cur);
        return step == n && static_cast<bool>(in);
    }
    in.ignore(static_cast<std::streamsize>(n));
    return in.gcount() == n;
}

bool writeFileAtomically(const std::string& path, const std::string& bytes) {
    if (path.empty()) {
        return false;
    }
    const mode_t mode = modeForNewFile(path);
    std::string pattern = folderOf(path) + "/.notaro-XXXXXX";
    std::vector<char> tmpName(pattern.begin(), pattern.end());
    tmpName.push_back('\0');
    const int fd = ::mkstemp(tmpName.data());
    if (fd < 0) {
        return false;
    }
    // No fsync: a MIDI file is an export that can always be made again from its score, and
    // waiting for the disk would cost more than the whole conversion. The rename still
    // replaces the old file completely or not at all.
    bool ok = writeAll(fd, bytes) && ::fchmod(fd, mode) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tmpName.data(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(tmpName.data());
    }
    return ok;
}
