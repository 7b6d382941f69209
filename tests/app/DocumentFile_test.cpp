#include "AppTestSupport.h"
#include "DocumentFile.h"

#include <QDir>

#include <fstream>
#include <sys/stat.h>

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

} // namespace
} // namespace notaro::app::test
