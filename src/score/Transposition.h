#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace notaro {

/// A transposition asked for: how far, how to spell, and which part of the text.
struct TransposeRequest {
    /// The largest move either way, in the unit chosen.
    static constexpr int32_t kMaxSteps = 24;

    /// Steps up (positive) or down (negative), -kMaxSteps..kMaxSteps.
    int32_t steps = 0;
    /// The steps are quarter tones rather than semitones.
    bool quarterTones = false;
    /// Black keys are written as flats of the white key above rather than sharps of the one
    /// below (and a quarter tone with "~" rather than "+", where both can write it).
    bool flats = false;
    /// The characters whose notes move (CR LF counting two, as the editor counts); a length of
    /// 0 moves every note of the score.
    int32_t selectionStart = 0;
    int32_t selectionLength = 0;

    /// The move in quarter tones.
    int32_t quarterToneSteps() const noexcept { return quarterTones ? steps : 2 * steps; }
};

/// Why a transposition was refused; the text is then left as it was.
enum class TransposeRefusalKind : uint8_t {
    BadAmount,  ///< the steps lie outside -24..+24
    ScoreError, ///< the score does not parse; the place is the parser's
    OutOfRange, ///< a note would leave the range the score can write; the place is that note
    SplitBlock, ///< a definition's notes would move where they sound outside the selection, or
                ///< stay where they sound inside it; the place is the note concerned
    Internal,   ///< the transposed text would not read as the same notes moved
};

/// A refusal: what it is, the message for the user, and the place it points at.
struct TransposeRefusal {
    TransposeRefusalKind kind = TransposeRefusalKind::Internal;
    std::string message;
    /// 1-based line, 0 when the refusal is not tied to a line.
    int32_t line = 0;
    /// 0-based character offset in the line, and characters marked (<= 0: the whole line).
    int32_t column = 0;
    int32_t length = -1;
};

/// One replacement in the text: length characters from start (CR LF counting two, as the
/// editor counts) become text.
struct TextEdit {
    int32_t start = 0;
    int32_t length = 0;
    std::string text;
};

/// What a transposition made.
struct TransposeResult {
    /// Set when the transposition was refused; edits and text are then empty.
    std::optional<TransposeRefusal> refusal;
    /// The pitches rewritten, in text order, not overlapping; none when no note moves.
    std::vector<TextEdit> edits;
    /// The whole text with the edits made.
    std::string text;
    /// Note tokens moved (a rest has no pitch to move), rewritten or, already spelled so, kept.
    int32_t movedNotes = 0;

    bool ok() const noexcept { return !refusal.has_value(); }
};

} // namespace notaro
