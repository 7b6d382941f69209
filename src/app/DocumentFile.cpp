#include "app/DocumentFile.h"

#include "base/AtomicFile.h"
#include "score/ScoreEncoding.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace notaro::app::documentFile {

namespace {

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

private:
    int fd_;
};

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
    return base::writeFileAtomically(QFile::encodeName(path).toStdString(), text);
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
