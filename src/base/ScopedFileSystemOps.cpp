#include "base/ScopedFileSystemOps.h"

namespace notaro::base {

std::atomic<FileSystemOps*> ScopedFileSystemOps::installed_{nullptr};

ScopedFileSystemOps::ScopedFileSystemOps(FileSystemOps& ops)
    : previous_(installed_.exchange(&ops)) {}

ScopedFileSystemOps::~ScopedFileSystemOps() {
    installed_.store(previous_);
}

FileSystemOps* ScopedFileSystemOps::installed() {
    return installed_.load();
}

} // namespace notaro::base
