#pragma once

#include "base/FileKind.h"

#include <cstdint>
#include <string>

namespace notaro {

/// How much of a score file a reader takes.
struct ScoreFileLimit {
    /// A file of more bytes is refused before any of it is read.
    int64_t bytes;
    /// A decoded text (CR LF line ends, each counting two) of more characters is refused; -1
    /// for no such limit.
    int32_t characters;
};

/// The editor's limit: 64000 characters of decoded text. A character takes at most 4 bytes of
/// UTF-8 and a Windows-1252 byte becomes 1 character; a UTF-8 byte-order mark (3 bytes) is
/// dropped and line ends only grow when they become CR LF. So a file of more than
/// 4 * 64000 + 3 bytes always decodes to more than 64000 characters and is refused unread.
inline constexpr ScoreFileLimit kEditorScoreLimit{4 * 64000 + 3, 64000};

/// The command-line tool's limit: 64 MiB. The parser takes at most 4,000,000 notes, rests and
/// directives, which even written out at 16 bytes each fit; a larger file can only be refused
/// after costing several times its size in memory, so it is refused unread.
inline constexpr ScoreFileLimit kToolScoreLimit{int64_t{64} << 20, -1};

/// What became of a score file.
enum class ScoreFileStatus {
    Read,       ///< the text is in ScoreFileResult::text
    CannotOpen, ///< opening, looking at or reading the file failed: see error
    NotAFile,   ///< the path names no regular file: see kind
    TooLong,    ///< the file holds more than the limit
};

/// The outcome of readScoreFile.
struct ScoreFileResult {
    ScoreFileStatus status = ScoreFileStatus::CannotOpen;
    /// CannotOpen: the error number (errno style); NotAFile: the open's, when it failed.
    int32_t error = 0;
    /// What the path names (NotAFile: never Regular).
    base::FileKind kind = base::FileKind::Regular;
    /// Read: the text as parser input, UTF-8 with CR LF line ends.
    std::string text;
};

/// Reads the score file at path as every program reads one: opened without waiting, refused
/// at once unless it is a regular file, its size looked at before reading, never more read
/// than limit.bytes and one read more, then decoded by encoding::decodeScoreFile (UTF-8, else
/// Windows-1252; the byte-order mark dropped; LF, CR and CR LF made CR LF).
ScoreFileResult readScoreFile(const std::string& path, const ScoreFileLimit& limit);

} // namespace notaro
