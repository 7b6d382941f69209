#pragma once

#include <cstddef>
#include <sys/types.h>

namespace notaro::base {

/// The system calls a file write or a file read makes, gathered so that a test can make any one
/// of them fail (a full disk, a read-only folder, a failed rename, an interrupted read) without
/// touching the real system.
///
/// Each call behaves as the system call of the same name: -1 with errno set on failure. This
/// class itself is the real implementation; a test derives from it and overrides what it
/// wants to fail, then installs the result with ScopedFileSystemOps.
class FileSystemOps {
public:
    virtual ~FileSystemOps() = default;

    virtual int open(const char* path, int flags, mode_t mode);
    virtual ssize_t read(int fd, void* data, size_t size);
    virtual ssize_t write(int fd, const void* data, size_t size);
    virtual ssize_t pwrite(int fd, const void* data, size_t size, off_t offset);
    virtual int fsync(int fd);
    virtual int fchmod(int fd, mode_t mode);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
    virtual int unlink(const char* path);
    /// Gives the open file fd a name (linkat through /proc/self/fd).
    virtual int linkFd(int fd, const char* path);

    /// The operations every file write and read goes through: the real ones unless a test
    /// replaced them.
    static FileSystemOps& current();
};

} // namespace notaro::base
