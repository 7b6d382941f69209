#include "DocumentFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace df = notaro::app::documentFile;

namespace {

std::string bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<missing>";
}

void put(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string filesIn(const QTemporaryDir& dir) {
    return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(" ").toStdString();
}

TEST(DocumentFile, ReadsAsCrLfUtf8AndWritesItBackInPlace) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.NTR");
    const std::pair<std::string, std::string> cases[] = {
        {"Caf\xE9 c4\r\nd4", "Caf\xC3\xA9 c4\r\nd4"}, // Windows-1252
        {"a\nb\n", "a\r\nb\r\n"},
    };
    for (const auto& [disk, expected] : cases) {
        put(path, disk);
        std::string text;
        EXPECT_EQ(df::readTextFile(path, text), 0);
        EXPECT_EQ(text, expected);
        EXPECT_EQ(df::writeTextFile(path, text), 0);
        EXPECT_EQ(bytesOf(path), expected);
    }
    EXPECT_EQ(df::writeTextFile(path, "x"), 0); // nothing of the longer old content remains
    EXPECT_EQ(bytesOf(path), "x");
    std::string text;
    EXPECT_EQ(df::readTextFile(dir.path(), text), EISDIR);
    EXPECT_NE(df::writeTextFile(dir.path(), "x"), 0);
    EXPECT_EQ(filesIn(dir), "a.NTR");
    // Saving through a link changes the linked file and keeps the link and the file's mode.
    const QString target = dir.filePath("real.NTR"), link = dir.filePath("link.NTR");
    put(target, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link("real.NTR", link));
    EXPECT_EQ(df::writeTextFile(link, "new"), 0);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(bytesOf(target), "new");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
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
        EXPECT_EQ(bytesOf(dir.filePath("tune.NTR")), "old score") << kind;
        EXPECT_EQ(filesIn(dir), "tune.NTR") << kind;
    }
}

TEST(DocumentFile, PathHelpers) {
    QString folder = "-", name = "-";
    EXPECT_EQ(df::splitPath("/songs/a/tune.NTR", folder, name), 0);
    EXPECT_EQ(folder + "|" + name, "/songs/a|tune.NTR");
    EXPECT_EQ(df::splitPath("tune", folder, name), -1);
    const char* rows[][2] = {{"/songs/tune", "/songs/tune.NTR"},
                             {"/my.folder/tune", "/my.folder/tune.NTR"},
                             {"/songs/tune.txt", "/songs/tune.txt"},
                             {"tune", "tune.NTR"}};
    for (const auto& r : rows)
        EXPECT_EQ(df::withDefaultExtension(r[0], ".NTR"), r[1]);
}

} // namespace
