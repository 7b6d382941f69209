// The score file reader's limits: the editor's 64000 characters, counted on the decoded text,
// and the byte bound that lets a larger file be refused unread, agree at the boundary; reads
// never run past the limit and survive interruptions.
#include "base/ScopedFileSystemOps.h"
#include "base/TextUtil.h"
#include "score/ScoreEncoding.h"
#include "score/ScoreFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace notaro {
namespace {

using Status = ScoreFileStatus;

/// The real reads, counted; or every other one interrupted; or each one failing; or each one
/// finding as many bytes as asked for, as in a file that keeps growing.
class ReadOps : public base::FileSystemOps {
public:
    enum Mode { kReal, kInterrupted, kFailing, kEndless };
    explicit ReadOps(Mode mode) : mode_(mode) {}
    ssize_t read(int fd, void* data, size_t size) override {
        ++reads;
        if ((mode_ == kInterrupted && reads % 2 == 1) || mode_ == kFailing)
            return errno = mode_ == kFailing ? EIO : EINTR, -1;
        if (mode_ != kEndless)
            return FileSystemOps::read(fd, data, size);
        std::memset(data, 'x', size);
        given += size;
        last = size;
        return static_cast<ssize_t>(size);
    }
    int reads = 0;
    size_t given = 0, last = 0;

private:
    Mode mode_;
};

class ScoreFileTest : public ::testing::Test {
protected:
    ScoreFileResult read(const std::string& bytes, ReadOps& ops,
                         const ScoreFileLimit& limit = kEditorScoreLimit) {
        std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
        if (bytes.empty()) // a large file that holds no blocks
            std::filesystem::resize_file(path_, 200 << 20);
        base::ScopedFileSystemOps scope(ops);
        return readScoreFile(path_, limit);
    }
    ~ScoreFileTest() override { std::filesystem::remove(path_); }

    std::string path_ = (std::filesystem::temp_directory_path() /
                         ("notaro-score-" + std::to_string(::getpid()) + ".NTR"))
                            .string();
};

TEST_F(ScoreFileTest, TheByteBoundRefusesUnreadOnlyWhatTheCharacterLimitRefuses) {
    // 4-byte characters after a byte-order mark: the most bytes 64000 characters can take.
    std::string widest = "\xEF\xBB\xBF";
    for (int i = 0; i < 64000; ++i)
        widest += "\xF0\x9D\x84\x9E";
    ASSERT_EQ(widest.size(), size_t(kEditorScoreLimit.bytes));
    const std::pair<std::string, Status> cases[] = {
        {widest, Status::Read},
        {widest + "x", Status::TooLong}, // one byte over the bound
        {std::string(64000, 'x'), Status::Read},
        {std::string(64001, 'x'), Status::TooLong},
        {std::string(32000, '\n'), Status::Read}, // each line end becomes CR LF
        {std::string(32000, '\n') + "x", Status::TooLong},
        {std::string(64001, '\xE9'), Status::TooLong}, // Windows-1252
    };
    for (const auto& [bytes, status] : cases) {
        SCOPED_TRACE(bytes.size());
        ReadOps ops(ReadOps::kReal);
        const ScoreFileResult result = read(bytes, ops);
        EXPECT_EQ(result.status, status);
        const std::string text = encoding::decodeScoreFile(bytes);
        EXPECT_EQ(text::charCount(text) > 64000, status == Status::TooLong);
        EXPECT_EQ(result.text, status == Status::Read ? text : "");
        EXPECT_EQ(ops.reads == 0, bytes.size() > size_t(kEditorScoreLimit.bytes));
    }
}

TEST_F(ScoreFileTest, ReadsStopOneReadPastTheLimitAndRetryWhenInterrupted) {
    ReadOps endless(ReadOps::kEndless), interrupted(ReadOps::kInterrupted),
        failing(ReadOps::kFailing), real(ReadOps::kReal);
    EXPECT_EQ(read("4c", endless).status, Status::TooLong);
    EXPECT_GT(endless.given, size_t(kEditorScoreLimit.bytes));
    EXPECT_LE(endless.given - endless.last, size_t(kEditorScoreLimit.bytes));
    EXPECT_EQ(read("4c\n", interrupted).text, "4c\r\n");
    const ScoreFileResult failed = read("4c", failing);
    EXPECT_EQ(failed.status, Status::CannotOpen);
    EXPECT_EQ(failed.error, EIO);
    // The tool's limit: a 200 MB file is never read.
    EXPECT_EQ(read("", real, kToolScoreLimit).status, Status::TooLong);
    EXPECT_EQ(real.reads, 0);
}

} // namespace
} // namespace notaro
