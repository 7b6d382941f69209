#include "base/ReadOnlyFile.h"

#include "base/FileSystemOps.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace notaro::base {

namespace {

int32_t lastError() {
    return errno != 0 ? errno : EIO;
}

} // namespace

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
    // O_NONBLOCK: a named pipe or a device must not wait for its other end before it is refused.
    fd_ = FileSystemOps::current().open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY,
                                        0);
    if (fd_ < 0) {
        error_ = lastError();
        // A socket, or a device without its driver, does not open; it is still named for what
        // it is.
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0)
            kind_ = fileKindOfMode(info.st_mode);
        return;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        error_ = lastError();
        FileSystemOps::current().close(fd_);
        fd_ = -1;
        return;
    }
    kind_ = fileKindOfMode(info.st_mode);
    size_ = static_cast<int64_t>(info.st_size);
    if (kind_ != FileKind::Regular)
        size_ = 0;
}

ReadOnlyFile::~ReadOnlyFile() {
    if (fd_ >= 0)
        FileSystemOps::current().close(fd_);
}

int64_t ReadOnlyFile::read(char* buffer, size_t n) {
    if (!isRegularFile()) {
        error_ = error_ != 0 ? error_ : EBADF;
        return -1;
    }
    for (;;) {
        const ssize_t got = FileSystemOps::current().read(fd_, buffer, n);
        if (got >= 0)
            return static_cast<int64_t>(got);
        if (errno != EINTR) {
            error_ = lastError();
            return -1;
        }
    }
}

bool ReadOnlyFile::seek(int64_t offset) {
    if (!isRegularFile()) {
        error_ = error_ != 0 ? error_ : EBADF;
        return false;
    }
    if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) {
        error_ = lastError();
        return false;
    }
    return true;
}

} // namespace notaro::base
