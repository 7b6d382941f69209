#pragma once

#include "base/FileKind.h"

#include <cstdint>
#include <string>

namespace notaro::base {

/// A file a user named, opened for reading by a program that must never hang on it.
///
/// The path is opened without waiting (a named pipe without a writer, a serial line or a
/// terminal opens at once) and never as a controlling terminal, then looked at with fstat on
/// the same descriptor, so what is checked is what is read. Only a regular file is read: a
/// folder has no bytes, and a pipe or a device may never end. The size is taken when the file
/// is opened, so a reader can refuse a large file before reading any of it. Reads retry a call
/// that a signal interrupted. open, read and close go through FileSystemOps::current().
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    /// 0 while all went well, else the error number (errno style) of the open, the fstat or the
    /// last read or seek that failed.
    int32_t error() const { return error_; }
    /// What the path names, from fstat, or from stat when it did not open (a socket never
    /// opens); Regular when neither could tell.
    FileKind kind() const { return kind_; }
    /// True when the path opened and names a regular file, the only kind that is read.
    bool isRegularFile() const { return fd_ >= 0 && kind_ == FileKind::Regular; }
    /// The file's size in bytes when it was opened (0 when it did not open).
    int64_t size() const { return size_; }

    /// Reads up to n bytes at the read position. @return the bytes read, 0 at the end of the
    /// file, or -1 with error() set (EBADF when the file is not a regular one that opened)
    int64_t read(char* buffer, size_t n);
    /// Moves the read position to offset bytes from the start. @return false with error() set
    bool seek(int64_t offset);

private:
    int fd_ = -1;
    int32_t error_ = 0;
    FileKind kind_ = FileKind::Regular;
    int64_t size_ = 0;
};

} // namespace notaro::base
