#include "DocumentFile.h"

#include "ScoreEncoding.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <new>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace notaro::app::documentFile {

namespace {

/// Nested links followed before a save gives up (the kernel's own limit).
constexpr int kMaxLinkDepth = 40;
/// Bytes of the file name kept in the temporary name, so that it stays within NAME_MAX.
constexpr size_t kMaxTempStem = 200;
constexpr int kTempAttempts = 100;

int32_t lastError() {
    return errno != 0 ? errno : EIO;
}

/// Closes the descriptor on every way out.
class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    /// Closes now, reporting the error a delayed write may only show here.
    int32_t close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? kOk : lastError();
    }

private:
    int fd_;
};

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

/// Follows symbolic links to the file they name, so that saving through a link changes the
/// linked file instead of replacing the link with a file of its own.
int32_t resolveLinks(std::string& path) {
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return kOk; // a missing file is created where the path says
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

/// Creates a new file beside target (mode 0666 less the umask, as a new file gets).
int createTempBeside(const std::string& target, std::string& tempPath) {
    const std::string folder = folderOf(target);
    const std::string stem = "." + target.substr(folder.size()).substr(0, kMaxTempStem) + ".";
    thread_local std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        tempPath = folder + stem + std::to_string(random() % 1000000u) + ".tmp";
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

int32_t writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? lastError() : EIO;
        done += static_cast<size_t>(n);
    }
    return kOk;
}

/// Fills the open temporary file, gives it the old file's owner and mode, and makes it reach
/// the disk before it replaces anything.
int32_t fillTemp(FileHandle& file, const std::string& text, const struct stat* old) {
    if (old) {
        // Only root may give the file away; a failure leaves it ours, which is harmless.
        if (old->st_uid != ::geteuid() || old->st_gid != ::getegid())
            (void)::fchown(file.get(), old->st_uid, old->st_gid);
        if (::fchmod(file.get(), old->st_mode & 07777) != 0)
            return lastError();
    }
    if (const int32_t rc = writeAll(file.get(), text))
        return rc;
    if (::fsync(file.get()) != 0)
        return lastError();
    return file.close();
}

void syncFolder(const std::string& target) {
    const std::string folder = folderOf(target);
    FileHandle dir(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        (void)::fsync(dir.get());
}

} // namespace

int32_t readTextFile(const QString& path, std::string& text) {
    // O_NONBLOCK: opening a named pipe must not wait for a writer before it is refused.
    FileHandle file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0)
        return lastError();
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return lastError();
    // Only a regular file is a score: a folder opens here, a device or pipe never ends.
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    if (!S_ISREG(info.st_mode))
        return EINVAL;
    try {
        std::string bytes;
        bytes.reserve(static_cast<size_t>(info.st_size));
        char buffer[1 << 16];
        for (;;) {
            const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return lastError();
            if (n == 0)
                break;
            bytes.append(buffer, static_cast<size_t>(n));
        }
        text = encoding::decodeScoreFile(bytes);
    } catch (const std::bad_alloc&) {
        return ENOMEM;
    }
    return kOk;
}

int32_t writeTextFile(const QString& path, const std::string& text) {
    std::string target = QFile::encodeName(path).toStdString();
    if (target.empty())
        return ENOENT;
    if (const int32_t rc = resolveLinks(target))
        return rc;
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return lastError();
    if (exists) {
        if (S_ISDIR(old.st_mode))
            return EISDIR;
        if (!S_ISREG(old.st_mode))
            return EINVAL;
        // The rename below would replace a write-protected file as well: honour its protection.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return lastError();
    }
    std::string tempPath;
    FileHandle temp(createTempBeside(target, tempPath));
    if (temp.get() < 0)
        return lastError();
    int32_t rc = fillTemp(temp, text, exists ? &old : nullptr);
    if (rc == kOk && ::rename(tempPath.c_str(), target.c_str()) != 0)
        rc = lastError();
    if (rc != kOk) {
        ::unlink(tempPath.c_str());
        return rc;
    }
    syncFolder(target);
    return kOk;
}

int32_t splitPath(const QString& path, QString& folder, QString& name) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return -1;
    folder = path.left(slash);
    name = path.mid(slash + 1);
    return 0;
}

QString withDefaultExtension(const QString& path, const QString& ext) {
    // Only the file name decides: a "." in a folder name says nothing about the file's type.
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return name.contains(QLatin1Char('.')) ? path : path + ext;
}

} // namespace notaro::app::documentFile
