#include "AppTestSupport.h"
#include "DocumentFile.h"

#include <QDir>

#include <csignal>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace notaro::app::test {
namespace {

namespace df = documentFile;

void put(const QString& path, const std::string& bytes) {
    std::ofstream(QFile::encodeName(path).toStdString(), std::ios::binary) << bytes;
}

std::string filesIn(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(" ").toStdString();
}

TEST(DocumentFile, WritesInPlace) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.NTR");
    put(path, "old score");
    EXPECT_EQ(df::writeTextFile(path, "x"), 0); // nothing of the longer old content remains
    EXPECT_EQ(fileBytes(path) + "|" + filesIn(dir), "x|a.NTR");
    // Saving through a link changes the linked file and keeps the link and the file's mode.
    const QString target = dir.filePath("real.NTR"), link = dir.filePath("link.NTR");
    put(target, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link("real.NTR", link));
    EXPECT_EQ(df::writeTextFile(link, "new"), 0);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(fileBytes(target), "new");
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(target).constData(), &info) ? 0 : info.st_mode & 07777,
              0640u);
}

TEST(DocumentFile, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const rlimit sizeLimit{1000, RLIM_INFINITY}, noLimit{RLIM_INFINITY, RLIM_INFINITY};
    std::signal(SIGXFSZ, SIG_IGN);
    for (const std::string kind : {"read-only folder", "missing parent", "stopped part-way"}) {
        QTemporaryDir dir;
        put(dir.filePath("tune.NTR"), "old score");
        if (kind == "read-only folder") {
            ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0501), 0);
            // Root ignores folder permissions: write as an ordinary user for the moment.
            ASSERT_EQ(::geteuid() == 0 ? ::seteuid(65534) : 0, 0);
        }
        const int limited = kind == "stopped part-way" ? ::setrlimit(RLIMIT_FSIZE, &sizeLimit) : 0;
        ASSERT_EQ(limited, 0); // the size limit stops the write after 1000 bytes
        const QString path = dir.filePath(kind == "missing parent" ? "none/tune.NTR" : "tune.NTR");
        const int32_t rc = df::writeTextFile(path, std::string(5000, 'c'));
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &noLimit) + (::getuid() == 0 ? ::seteuid(0) : 0), 0);
        ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
        EXPECT_NE(rc, 0) << kind;
        EXPECT_EQ(fileBytes(dir.filePath("tune.NTR")) + "|" + filesIn(dir), "old score|tune.NTR")
            << kind;
    }
}

} // namespace
} // namespace notaro::app::test
