#include "app/document/DocumentFile.h"
#include "tests/app/AppTestSupport.h"

namespace notaro::app::test {
namespace {

namespace fs = std::filesystem;
using DocumentFileTest = AppTest;

TEST_F(DocumentFileTest, WritesInPlace) {
    writeFile(path("a.NTR"), "old score");
    EXPECT_EQ(documentFile::writeTextFile(qpath("a.NTR"), "x"), 0);
    EXPECT_EQ(readFile(path("a.NTR")), "x"); // nothing of the longer old content remains
    // Saving through a link changes the linked file and keeps the link and the file's mode.
    writeFile(path("real.NTR"), "old");
    fs::permissions(path("real.NTR"), fs::perms(0640));
    fs::create_symlink("real.NTR", path("link.NTR"));
    EXPECT_EQ(documentFile::writeTextFile(qpath("link.NTR"), "new"), 0);
    EXPECT_TRUE(fs::is_symlink(path("link.NTR")));
    EXPECT_EQ(readFile(path("real.NTR")), "new");
    EXPECT_EQ(fs::status(path("real.NTR")).permissions(), fs::perms(0640));
}

} // namespace
} // namespace notaro::app::test
