#include "app/document/RecoveryStore.h"

#include "base/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace notaro::app {

namespace {

/// The first line of every copy: a file of any other form is not ours to read or remove.
constexpr char kMagic[] = "notaro recovery copy 1\n";
constexpr char kFileKey[] = "file=";
const QString kCopySuffix = QStringLiteral(".recovery");
const QString kLockSuffix = QStringLiteral(".lock");

/// True when nobody holds the lock at path (its program has ended, or it never existed).
bool lockIsFree(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd); // closing drops the lock just taken
    return free;
}

/// Deletes the lock file at path when nobody holds it; the lock is held while the name goes,
/// so a program that has just created it sees that its file is gone and makes another.
void removeFreeLock(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        QFile::remove(path);
    ::close(fd);
}

/// True while path still names the file open as fd.
bool namesFile(const QString& path, int fd) {
    struct stat named {
    }, open{};
    return ::stat(QFile::encodeName(path).constData(), &named) == 0 && ::fstat(fd, &open) == 0 &&
           named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

bool readCopy(const QString& path, RecoveryCopy& copy) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    const QByteArray magic(kMagic);
    if (!bytes.startsWith(magic))
        return false;
    const qsizetype lineEnd = bytes.indexOf('\n', magic.size());
    const QByteArray line = bytes.mid(magic.size(), lineEnd - magic.size());
    if (lineEnd < 0 || !line.startsWith(kFileKey))
        return false;
    copy.path = path;
    copy.documentFile = QString::fromUtf8(line.mid(static_cast<qsizetype>(sizeof kFileKey) - 1));
    copy.written = QFileInfo(path).lastModified();
    copy.text = bytes.mid(lineEnd + 1).toStdString();
    return true;
}

} // namespace

RecoveryStore::RecoveryStore(QString folder)
    : folder_(folder.isEmpty() ? defaultFolder() : std::move(folder)) {}

RecoveryStore::~RecoveryStore() {
    remove();
    if (lockFd_ >= 0) {
        QFile::remove(folder_ + QLatin1Char('/') + session_ + kLockSuffix);
        ::close(lockFd_);
    }
}

QString RecoveryStore::defaultFolder() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (!base.startsWith(QLatin1Char('/')))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/notaro/recovery");
}

bool RecoveryStore::lockSession() {
    if (lockFd_ >= 0)
        return true;
    if (!QDir().mkpath(folder_))
        return false;
    constexpr int kAttempts = 3;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        session_ = QStringLiteral("%1-%2")
                       .arg(::getpid())
                       .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const QString lock = folder_ + QLatin1Char('/') + session_ + kLockSuffix;
        const int fd =
            ::open(QFile::encodeName(lock).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        // Another program's sweep may have taken the new file for a gone program's.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || !namesFile(lock, fd)) {
            ::close(fd);
            continue;
        }
        lockFd_ = fd;
        copyPath_ = folder_ + QLatin1Char('/') + session_ + kCopySuffix;
        return true;
    }
    return false;
}

int32_t RecoveryStore::write(const QString& documentFile, const std::string& text) {
    if (!lockSession())
        return errno != 0 ? errno : EIO;
    std::string bytes = kMagic;
    bytes += kFileKey;
    bytes += documentFile.toUtf8().toStdString();
    bytes += '\n';
    bytes += text;
    return base::writeFileAtomically(QFile::encodeName(copyPath_).toStdString(), bytes);
}

void RecoveryStore::remove() {
    if (!copyPath_.isEmpty())
        QFile::remove(copyPath_);
}

std::vector<RecoveryCopy> RecoveryStore::orphans() const {
    std::vector<RecoveryCopy> copies;
    const QDir dir(folder_);
    for (const QString& name :
         dir.entryList({QLatin1Char('*') + kCopySuffix}, QDir::Files | QDir::Hidden)) {
        const QString session = name.chopped(kCopySuffix.size());
        if (session == session_ || !lockIsFree(dir.filePath(session + kLockSuffix)))
            continue;
        RecoveryCopy copy;
        if (readCopy(dir.filePath(name), copy))
            copies.push_back(std::move(copy));
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.written < b.written; });
    return copies;
}

void RecoveryStore::sweep() const {
    const QDir dir(folder_);
    // A killed write's file: ".<session>.recovery.<pid>.<number>.tmp".
    static const QRegularExpression temporary(
        QStringLiteral("^\\.(.+\\.recovery)\\.[0-9]+\\.[0-9]+\\.tmp$"));
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        const QRegularExpressionMatch match = temporary.match(name);
        if (match.hasMatch())
            base::removeStaleTemporaries(
                QFile::encodeName(dir.filePath(match.captured(1))).toStdString());
        if (!name.endsWith(kLockSuffix))
            continue;
        const QString session = name.chopped(kLockSuffix.size());
        if (session != session_ && !names.contains(session + kCopySuffix))
            removeFreeLock(dir.filePath(name));
    }
}

void RecoveryStore::discard(const RecoveryCopy& copy) {
    QFile::remove(copy.path);
    QString lock = copy.path;
    lock.chop(kCopySuffix.size());
    QFile::remove(lock + kLockSuffix);
}

} // namespace notaro::app
