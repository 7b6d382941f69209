#include "score/ScoreFile.h"

#include "base/ReadOnlyFile.h"
#include "base/TextUtil.h"
#include "score/ScoreEncoding.h"

#include <cerrno>
#include <new>

namespace notaro {

namespace {

constexpr size_t kReadSize = 64 * 1024;

ScoreFileResult failed(ScoreFileStatus status, int32_t error, base::FileKind kind) {
    ScoreFileResult result;
    result.status = status;
    result.error = error;
    result.kind = kind;
    return result;
}

} // namespace

ScoreFileResult readScoreFile(const std::string& path, const ScoreFileLimit& limit) {
    base::ReadOnlyFile file(path);
    if (file.kind() != base::FileKind::Regular)
        return failed(ScoreFileStatus::NotAFile, file.error(), file.kind());
    if (file.error() != 0)
        return failed(ScoreFileStatus::CannotOpen, file.error(), file.kind());
    if (file.size() > limit.bytes)
        return failed(ScoreFileStatus::TooLong, 0, file.kind());
    ScoreFileResult result;
    try {
        // The size only sets the first allocation: a file may grow while it is read, so the
        // reads themselves stop once they pass the limit.
        std::string bytes;
        bytes.reserve(static_cast<size_t>(file.size()));
        char piece[kReadSize];
        for (;;) {
            const int64_t n = file.read(piece, sizeof piece);
            if (n < 0)
                return failed(ScoreFileStatus::CannotOpen, file.error(), file.kind());
            if (n == 0)
                break;
            if (static_cast<int64_t>(bytes.size()) + n > limit.bytes)
                return failed(ScoreFileStatus::TooLong, 0, file.kind());
            bytes.append(piece, static_cast<size_t>(n));
        }
        result.text = encoding::decodeScoreFile(bytes);
    } catch (const std::bad_alloc&) {
        return failed(ScoreFileStatus::CannotOpen, ENOMEM, file.kind());
    }
    if (limit.characters >= 0 && text::charCount(result.text) > limit.characters)
        return failed(ScoreFileStatus::TooLong, 0, file.kind());
    result.status = ScoreFileStatus::Read;
    return result;
}

} // namespace notaro
