#pragma once

#include "score/ScoreNoteTokens.h"
#include "score/Transposition.h"
#include "score/cTParse.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace notaro {

/// Which notes a transposition of a selection moves, in the text and in the sound.
///
/// Every note written in the selection is rewritten; a note written in a definition there
/// then sounds moved wherever the definition is played. A use line in the selection plays its
/// definition moved: a definition written outside the selection is rewritten too when every
/// line that plays it lies in the selection, and otherwise the transposition is refused, since
/// no rewriting of its notes could move them here and keep them elsewhere. A tie is one
/// sounding note, so a tie the selection touches moves whole.
class TranspositionScope {
public:
    /// The scope of a selection of the characters [start, end) (CR LF counting two); an empty
    /// selection means every note of the score. parser holds the parse of the text that
    /// tokens were read from.
    TranspositionScope(const cTParse& parser, const ScoreNoteTokens& tokens, int32_t start,
                       int32_t end);

    /// True when token i (an index into tokens.tokens()) is rewritten.
    bool movesToken(size_t i) const { return tokenMoves_[i]; }
    /// True when record i sounds moved.
    bool movesRecord(int32_t i) const { return recordMoves_[static_cast<size_t>(i)]; }
    /// Why the selection cannot be transposed; none when it can.
    const std::optional<TransposeRefusal>& conflict() const noexcept { return conflict_; }

private:
    bool selects(int32_t charStart, int32_t length) const;
    bool selectsLine(int32_t line) const;
    void moveWholeTies();
    void moveDefinitionsPlayed();
    TransposeRefusal splitDefinition(int32_t moved, int32_t kept) const;

    const cTParse& parser_;
    const ScoreNoteTokens& tokens_;
    int32_t start_ = 0;
    int32_t end_ = 0;
    /// The token of each record, -1 for records without one (directives).
    std::vector<int32_t> tokenOf_;
    std::vector<bool> tokenMoves_;
    std::vector<bool> recordMoves_;
    std::optional<TransposeRefusal> conflict_;
};

} // namespace notaro
