#include "score/ScoreTransposer.h"

#include "score/ScoreNoteTokens.h"
#include "score/TransposedPitch.h"
#include "score/TranspositionScope.h"
#include "score/cTParse.h"

#include <cstdlib>

namespace notaro {

namespace {

using transpose::quarterTonesOf;

constexpr uint8_t kNatural = 2;

TransposeResult refused(TransposeRefusalKind kind, std::string message, int32_t line = 0,
                        int32_t column = 0, int32_t length = -1) {
    TransposeResult result;
    result.refusal = TransposeRefusal{kind, std::move(message), line, column, length};
    return result;
}

std::string amountWords(const TransposeRequest& request) {
    const int32_t n = std::abs(request.steps);
    return std::string(request.steps < 0 ? "down " : "up ") + std::to_string(n) +
           (request.quarterTones ? " quarter tone" : " semitone") + (n == 1 ? "" : "s");
}

TransposeResult outOfRange(const TransposeRequest& request, const ScoreNoteTokens::Token& token,
                           int32_t quarterTones, bool bIsDoRe) {
    const bool above = quarterTones > transpose::kHighestQuarterTone;
    const std::optional<cNotePAO> bound = transpose::spelledPitch(
        above ? transpose::kHighestQuarterTone : transpose::kLowestQuarterTone, !above);
    return refused(TransposeRefusalKind::OutOfRange,
                   "Moving " + amountWords(request) + " would take the note " +
                       std::string(token.note.text) + " at line " + std::to_string(token.line) +
                       ", column " + std::to_string(token.note.charStart + 1) +
                       (above ? " above " : " below ") + bound->toStr(bIsDoRe) + ", the " +
                       (above ? "highest" : "lowest") + " note a score can hold.",
                   token.line, token.note.charStart, token.note.charLength);
}

/// The pitch part of a token written anew.
std::string pitchText(const NoteToken& token, const cNotePAO& pitch, bool bIsDoRe) {
    std::string text = pitch.toStr(bIsDoRe);
    if (pitch.accidental != kNatural)
        return text;
    const bool naturalWritten = token.accidentalBytes() == 1 && token.pitch.accidental == kNatural;
    // A following accidental or a letter like the last one would join the pitch.
    const std::string_view marks = token.marksText;
    const bool marksWouldJoin =
        !marks.empty() &&
        (cNotePAO::accidentalIndex(marks.substr(0, 1)) <= 4 || marks[0] == text.back());
    if (naturalWritten || marksWouldJoin)
        text += 'n';
    return text;
}

bool sameDuration(const std::optional<cDuration>& a, const std::optional<cDuration>& b) {
    return a.has_value() == b.has_value() && (!a || a->Comp(*b) == 0);
}

/// True when after holds the records of before, with exactly the notes of scope moved by shift.
bool readsAsMoved(const cTParse& before, const cTParse& after, const TranspositionScope& scope,
                  int32_t shift) {
    if (before.nNotes() != after.nNotes())
        return false;
    for (int32_t r = 0; r < before.nNotes(); ++r) {
        const cGnsNote& a = before.theNotes(r);
        const cGnsNote& b = after.theNotes(r);
        if (a.eventType != b.eventType || a.xVal != b.xVal || a.tie != b.tie || a.slur != b.slur ||
            a.staccatoLevel != b.staccatoLevel || a.lineNum != b.lineNum ||
            a.noteLineNum != b.noteLineNum || !sameDuration(a.dur, b.dur) ||
            a.notePao.has_value() != b.notePao.has_value() || a.isRest() != b.isRest())
            return false;
        if (a.notePao && !a.isRest() &&
            quarterTonesOf(*b.notePao) !=
                quarterTonesOf(*a.notePao) + (scope.movesRecord(r) ? shift : 0))
            return false;
    }
    return true;
}

} // namespace

TransposeResult transposeScore(std::string_view text, const TransposeRequest& request) {
    if (std::abs(request.steps) > TransposeRequest::kMaxSteps)
        return refused(TransposeRefusalKind::BadAmount,
                       "A transposition moves the notes by at most " +
                           std::to_string(TransposeRequest::kMaxSteps) + " steps either way.");
    cTParse parser;
    const ParseError error = parser.parseAramText(text);
    if (!error.ok())
        return refused(TransposeRefusalKind::ScoreError,
                       "The score has an error on line " + std::to_string(error.line) + " (" +
                           error.message + "): correct it before transposing.",
                       error.line, error.column, error.length);
    const ScoreNoteTokens tokens(text);
    const TranspositionScope scope(parser, tokens, request.selectionStart,
                                   request.selectionStart + request.selectionLength);
    if (scope.conflict()) {
        TransposeResult result;
        result.refusal = scope.conflict();
        return result;
    }
    const bool bIsDoRe = parser.namingSystem() == tokens::NamingSystem::Solfege;
    const int32_t shift = request.quarterToneSteps();
    TransposeResult result;
    std::vector<size_t> editBytes;
    for (size_t i = 0; i < tokens.tokens().size(); ++i) {
        const ScoreNoteTokens::Token& token = tokens.tokens()[i];
        const NoteToken& note = token.note;
        if (!scope.movesToken(i) || !note.valid || note.isRest)
            continue;
        const int32_t quarterTones = quarterTonesOf(note.pitch) + shift;
        const std::optional<cNotePAO> moved = transpose::spelledPitch(quarterTones, request.flats);
        if (!moved)
            return outOfRange(request, token, quarterTones, bIsDoRe);
        ++result.movedNotes;
        // Note values and pitches are ASCII: their bytes are their characters.
        std::string written = pitchText(note, *moved, bIsDoRe);
        if (written == note.text.substr(note.valueBytes, note.pitchBytes))
            continue;
        result.edits.push_back(TextEdit{tokens.charStart(token) + note.valueBytes, note.pitchBytes,
                                        std::move(written)});
        editBytes.push_back(tokens.byteStart(token) + note.valueBytes);
    }
    size_t from = 0;
    for (size_t e = 0; e < result.edits.size(); ++e) {
        result.text.append(text.substr(from, editBytes[e] - from));
        result.text += result.edits[e].text;
        from = editBytes[e] + static_cast<size_t>(result.edits[e].length);
    }
    result.text.append(text.substr(from));
    cTParse check;
    if (!check.parseAramText(result.text).ok() || !readsAsMoved(parser, check, scope, shift))
        return refused(TransposeRefusalKind::Internal,
                       "The transposed score would not read as the same notes moved, so nothing "
                       "was changed.");
    return result;
}

} // namespace notaro
