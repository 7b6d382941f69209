#pragma once

#include "score/NotesLineScanner.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace notaro {

/// The lines of a score text and the note and rest tokens of its notes lines, each with the
/// place it stands at, read with the parser's own line classification and notes-line scanner.
///
/// Places count characters as the editor and the parser do: a line break (CR LF) counts two,
/// a multi-byte UTF-8 character once. Notes lines inside definition bodies are read too, since
/// their text is as much a part of the score as any other; a text without a header has none.
/// The object keeps a copy of the text that the token views point into, so it is not copied.
class ScoreNoteTokens {
public:
    struct Line {
        /// Index of the line's first character in the whole text.
        int32_t charStart = 0;
        /// Byte offset of the line's first byte in the whole text.
        size_t byteStart = 0;
        /// The line, tabs shown as blanks.
        std::string_view text;
    };
    struct Token {
        /// 1-based line number; note.charStart is the 0-based column.
        int32_t line = 0;
        NoteToken note;
    };

    explicit ScoreNoteTokens(std::string_view text);
    ScoreNoteTokens(const ScoreNoteTokens&) = delete;
    ScoreNoteTokens& operator=(const ScoreNoteTokens&) = delete;

    /// The lines, line n at index n - 1.
    const std::vector<Line>& lines() const noexcept { return lines_; }
    /// The tokens in text order.
    const std::vector<Token>& tokens() const noexcept { return tokens_; }
    /// Index of the token at line (1-based) and column (0-based); -1 when none starts there.
    int32_t find(int32_t line, int32_t column) const;
    /// Index of a token's first character in the whole text.
    int32_t charStart(const Token& t) const {
        return lines_[t.line - 1].charStart + t.note.charStart;
    }
    /// Byte offset of a token's first byte in the whole text.
    size_t byteStart(const Token& t) const {
        return lines_[t.line - 1].byteStart + t.note.byteStart;
    }

private:
    std::string text_;
    std::vector<Line> lines_;
    std::vector<Token> tokens_;
};

} // namespace notaro
