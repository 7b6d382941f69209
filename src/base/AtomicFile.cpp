#include "base/AtomicFile.h"

#include "base/FileSystemOps.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace notaro::base {

namespace {

/// Nested links followed before a write gives up (the kernel's own limit).
constexpr int kMaxLinkDepth = 40;
/// Bytes of the file name kept in the temporary name, so that it stays within NAME_MAX.
constexpr size_t kMaxTempStem = 200;
constexpr int kTempAttempts = 100;

int32_t lastError() {
    return errno != 0 ? errno : EIO;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

/// Follows symbolic links to the file they name, so that writing through a link changes the
/// linked file instead of replacing the link with a file of its own.
int32_t resolveLinks(std::string& path) {
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return 0; // a missing file is created where the path says
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0)
            return lastError();
        if (static_cast<size_t>(n) >= target.size())
            return ENAMETOOLONG;
        target.resize(static_cast<size_t>(n));
        path = target.front() == '/' ? target : folderOf(path) + target;
    }
    return ELOOP;
}

/// The part of the temporary names every write to target shares: ".<name>."
std::string tempStem(const std::string& target) {
    const std::string folder = folderOf(target);
    return "." + target.substr(folder.size()).substr(0, kMaxTempStem) + ".";
}

bool allDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

/// Only names of our own form whose process id no longer runs are removed, so a write in
/// progress elsewhere is never touched.
void removeStaleTemporaries(const std::string& target) {
    const std::string folder = folderOf(target);
    const std::string stem = tempStem(target);
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return;
    FileSystemOps& ops = FileSystemOps::current();
    while (const dirent* entry = ::readdir(dir)) {
        std::string_view name = entry->d_name;
        constexpr std::string_view kSuffix = ".tmp";
        if (name.size() <= stem.size() + kSuffix.size() || name.substr(0, stem.size()) != stem ||
            name.substr(name.size() - kSuffix.size()) != kSuffix)
            continue;
        const std::string_view middle =
            name.substr(stem.size(), name.size() - stem.size() - kSuffix.size());
        const size_t dot = middle.find('.');
        if (dot == std::string_view::npos || !allDigits(middle.substr(0, dot)) ||
            !allDigits(middle.substr(dot + 1)) || dot > 9)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(std::string(middle.substr(0, dot))));
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH)
            (void)ops.unlink((folder + std::string(name)).c_str());
    }
    ::closedir(dir);
}

namespace {

void syncFolder(const std::string& target) {
    FileSystemOps& ops = FileSystemOps::current();
    const std::string folder = folderOf(target);
    const int fd =
        ops.open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0)
        return; // the file is in place; only its survival of a power cut is less certain
    (void)ops.fsync(fd);
    (void)ops.close(fd);
}

} // namespace

AtomicFile::AtomicFile(std::string path) : target_(std::move(path)) {}

AtomicFile::~AtomicFile() {
    discard();
}

int32_t AtomicFile::fail(int32_t rc) {
    if (error_ == 0)
        error_ = rc != 0 ? rc : EIO;
    discard();
    return error_;
}

void AtomicFile::discard() {
    FileSystemOps& ops = FileSystemOps::current();
    if (fd_ >= 0)
        (void)ops.close(fd_);
    fd_ = -1;
    if (!tempPath_.empty())
        (void)ops.unlink(tempPath_.c_str());
    tempPath_.clear();
}

int32_t AtomicFile::open() {
    if (error_ != 0 || fd_ >= 0)
        return error_ != 0 ? error_ : EBUSY;
    if (target_.empty())
        return fail(ENOENT);
    if (const int32_t rc = resolveLinks(target_))
        return fail(rc);
    struct stat old {};
    hasOld_ = ::stat(target_.c_str(), &old) == 0;
    if (!hasOld_ && errno != ENOENT)
        return fail(lastError());
    if (hasOld_) {
        if (S_ISDIR(old.st_mode))
            return fail(EISDIR);
        if (!S_ISREG(old.st_mode))
            return fail(EINVAL);
        // The rename would replace a write-protected file as well: honour its protection.
        if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0)
            return fail(lastError());
        oldMode_ = old.st_mode & 07777;
        oldUid_ = old.st_uid;
        oldGid_ = old.st_gid;
    }
    removeStaleTemporaries(target_);
    FileSystemOps& ops = FileSystemOps::current();
    // A new file gets 0666 less the umask, as any file the user makes.
    const std::string folder = folderOf(target_);
    fd_ = ops.open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
        unnamed_ = true;
        return 0;
    }
    // Only a file system without unnamed files is worked around; any other error is the
    // folder's.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return fail(lastError());
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        const std::string name = tempName();
        fd_ = ops.open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0) {
            tempPath_ = name;
            return 0;
        }
        if (errno != EEXIST)
            return fail(lastError());
    }
    return fail(EEXIST);
}

std::string AtomicFile::tempName() const {
    thread_local std::mt19937 random{std::random_device{}()};
    return folderOf(target_) + tempStem(target_) + std::to_string(::getpid()) + "." +
           std::to_string(random() % 1000000u) + ".tmp";
}

int32_t AtomicFile::write(std::string_view bytes) {
    if (error_ != 0 || fd_ < 0)
        return error_ != 0 ? error_ : EBADF;
    FileSystemOps& ops = FileSystemOps::current();
    while (!bytes.empty()) {
        const ssize_t n = ops.write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(n < 0 ? lastError() : EIO);
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

int32_t AtomicFile::writeAt(uint64_t offset, std::string_view bytes) {
    if (error_ != 0 || fd_ < 0)
        return error_ != 0 ? error_ : EBADF;
    FileSystemOps& ops = FileSystemOps::current();
    while (!bytes.empty()) {
        const ssize_t n = ops.pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(n < 0 ? lastError() : EIO);
        bytes.remove_prefix(static_cast<size_t>(n));
        offset += static_cast<uint64_t>(n);
    }
    return 0;
}

int32_t AtomicFile::commit() {
    if (error_ != 0 || fd_ < 0)
        return error_ != 0 ? error_ : EBADF;
    FileSystemOps& ops = FileSystemOps::current();
    if (hasOld_) {
        // Only root may give the file away; a failure leaves it ours, which is harmless.
        if (oldUid_ != ::geteuid() || oldGid_ != ::getegid())
            (void)::fchown(fd_, oldUid_, oldGid_);
        if (ops.fchmod(fd_, oldMode_) != 0)
            return fail(lastError());
    }
    // The bytes reach the disk before the rename, so a crash never leaves an empty file where
    // the old one was.
    if (ops.fsync(fd_) != 0)
        return fail(lastError());
    // The unnamed file gets its name only now, for the moment until the rename.
    for (int attempt = 0; unnamed_ && tempPath_.empty(); ++attempt) {
        const std::string name = tempName();
        if (ops.linkFd(fd_, name.c_str()) == 0)
            tempPath_ = name;
        else if (errno != EEXIST || attempt + 1 == kTempAttempts)
            return fail(lastError());
    }
    const int fd = fd_;
    fd_ = -1;
    // A delayed write error may show only here.
    if (ops.close(fd) != 0)
        return fail(lastError());
    if (ops.rename(tempPath_.c_str(), target_.c_str()) != 0)
        return fail(lastError());
    tempPath_.clear();
    syncFolder(target_);
    return 0;
}

int32_t writeFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFile file(path);
    if (const int32_t rc = file.open())
        return rc;
    if (const int32_t rc = file.write(bytes))
        return rc;
    return file.commit();
}

} // namespace notaro::base
