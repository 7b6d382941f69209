#include "app/document/RecoveryStore.h"

#include "base/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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
    session_ = QStringLiteral("%1-%2")
                   .arg(::getpid())
                   .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    const QByteArray lock = QFile::encodeName(folder_ + QLatin1Char('/') + session_ + kLockSuffix);
    const int fd = ::open(lock.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    lockFd_ = fd;
    copyPath_ = folder_ + QLatin1Char('/') + session_ + kCopySuffix;
    return true;
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

void RecoveryStore::discard(const RecoveryCopy& copy) {
    QFile::remove(copy.path);
    QString lock = copy.path;
    lock.chop(kCopySuffix.size());
    QFile::remove(lock + kLockSuffix);
}

} // namespace notaro::app
