#pragma once

#include "base/FileSystemOps.h"

#include <atomic>

namespace notaro::base {

/// Makes every file write and read use ops for as long as it lives, then restores what was there.
/// Meant for tests; the scopes nest.
class ScopedFileSystemOps {
public:
    explicit ScopedFileSystemOps(FileSystemOps& ops);
    ~ScopedFileSystemOps();
    ScopedFileSystemOps(const ScopedFileSystemOps&) = delete;
    ScopedFileSystemOps& operator=(const ScopedFileSystemOps&) = delete;

    /// The operations installed now, or nullptr for the real ones.
    static FileSystemOps* installed();

private:
    FileSystemOps* previous_;
    static std::atomic<FileSystemOps*> installed_;
};

} // namespace notaro::base
