#include "base/FileSystemOps.h"

#include "base/ScopedFileSystemOps.h"

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace notaro::base {

int FileSystemOps::open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}

ssize_t FileSystemOps::read(int fd, void* data, size_t size) {
    return ::read(fd, data, size);
}

ssize_t FileSystemOps::write(int fd, const void* data, size_t size) {
    return ::write(fd, data, size);
}

ssize_t FileSystemOps::pwrite(int fd, const void* data, size_t size, off_t offset) {
    return ::pwrite(fd, data, size, offset);
}

int FileSystemOps::fsync(int fd) {
    return ::fsync(fd);
}

int FileSystemOps::fchmod(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}

int FileSystemOps::close(int fd) {
    return ::close(fd);
}

int FileSystemOps::rename(const char* from, const char* to) {
    return std::rename(from, to);
}

int FileSystemOps::unlink(const char* path) {
    return ::unlink(path);
}

int FileSystemOps::linkFd(int fd, const char* path) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path, AT_SYMLINK_FOLLOW);
}

FileSystemOps& FileSystemOps::current() {
    static FileSystemOps real;
    FileSystemOps* replaced = ScopedFileSystemOps::installed();
    return replaced ? *replaced : real;
}

} // namespace notaro::base
