#include "score/TranspositionScope.h"

#include "base/TextUtil.h"
#include "score/ScoreTokens.h"

#include <limits>

namespace notaro {

TranspositionScope::TranspositionScope(const cTParse& parser, const ScoreNoteTokens& tokens,
                                       int32_t start, int32_t end)
    : parser_(parser), tokens_(tokens), start_(start), end_(end) {
    if (start_ >= end_) {
        start_ = 0;
        end_ = std::numeric_limits<int32_t>::max();
    }
    const std::vector<ScoreNoteTokens::Token>& all = tokens_.tokens();
    tokenMoves_.resize(all.size());
    for (size_t i = 0; i < all.size(); ++i)
        tokenMoves_[i] = selects(tokens_.charStart(all[i]), all[i].note.charLength);
    const auto n = static_cast<size_t>(parser_.nNotes());
    tokenOf_.assign(n, -1);
    recordMoves_.assign(n, false);
    for (int32_t r = 0; r < parser_.nNotes(); ++r) {
        const cGnsNote& rec = parser_.theNotes(r);
        // A rest sounds the same wherever it moves.
        if (rec.isDirective() || rec.isRest())
            continue;
        const int32_t t = tokens_.find(rec.noteLineNum, rec.noteCharNum);
        tokenOf_[r] = t;
        const bool played = rec.lineNum != rec.noteLineNum && selectsLine(rec.lineNum);
        recordMoves_[r] = played || (t >= 0 && tokenMoves_[t]);
    }
    moveWholeTies();
    moveDefinitionsPlayed();
}

bool TranspositionScope::selects(int32_t charStart, int32_t length) const {
    return charStart < end_ && start_ < charStart + length;
}

bool TranspositionScope::selectsLine(int32_t line) const {
    const ScoreNoteTokens::Line& l = tokens_.lines()[static_cast<size_t>(line - 1)];
    const std::string_view trimmed = text::trimBlanks(l.text);
    const int32_t lead =
        text::charCount(l.text.substr(0, static_cast<size_t>(trimmed.data() - l.text.data())));
    return selects(l.charStart + lead, text::charCount(trimmed));
}

void TranspositionScope::moveWholeTies() {
    // Directives may stand between the notes of a tie; they neither join nor end it.
    std::vector<int32_t> chain;
    const auto settle = [&] {
        bool moves = false;
        for (const int32_t r : chain)
            moves = moves || recordMoves_[r];
        for (const int32_t r : chain)
            recordMoves_[r] = moves;
        chain.clear();
    };
    for (int32_t r = 0; r < parser_.nNotes(); ++r) {
        const cGnsNote& rec = parser_.theNotes(r);
        if (rec.isDirective())
            continue;
        if ((rec.tie & cGnsNote::kBowFromPrevious) == 0)
            settle();
        chain.push_back(r);
    }
    settle();
}

void TranspositionScope::moveDefinitionsPlayed() {
    // Every record of a token that moves already moves; a record that moves through its use
    // line or its tie takes its token along when no record of that token stays.
    std::vector<int32_t> keptRecordOf(tokenMoves_.size(), -1);
    for (int32_t r = 0; r < parser_.nNotes(); ++r)
        if (tokenOf_[r] >= 0 && !recordMoves_[r] && keptRecordOf[tokenOf_[r]] < 0)
            keptRecordOf[tokenOf_[r]] = r;
    for (int32_t r = 0; r < parser_.nNotes(); ++r) {
        const int32_t t = tokenOf_[r];
        if (t < 0 || !recordMoves_[r] || tokenMoves_[t])
            continue;
        if (keptRecordOf[t] >= 0) {
            conflict_ = splitDefinition(r, keptRecordOf[t]);
            return;
        }
        tokenMoves_[t] = true;
    }
}

TransposeRefusal TranspositionScope::splitDefinition(int32_t moved, int32_t kept) const {
    const cGnsNote& rec = parser_.theNotes(moved);
    const ScoreNoteTokens::Token& token = tokens_.tokens()[tokenOf_[moved]];
    // The definition holding the note begins on the nearest "*def[" line above it.
    std::string name;
    int32_t defLine = token.line;
    while (defLine > 1) {
        --defLine;
        const tokens::LineInfo info = tokens::classifyBodyLine(tokens_.lines()[defLine - 1].text);
        if (info.kind == tokens::LineKind::DefStart) {
            name = std::string(info.name);
            break;
        }
    }
    TransposeRefusal refusal;
    refusal.kind = TransposeRefusalKind::SplitBlock;
    refusal.message = "The definition '" + name + "' (line " + std::to_string(defLine) +
                      ") is played by line " + std::to_string(rec.lineNum) +
                      ", whose notes move, and by line " +
                      std::to_string(parser_.theNotes(kept).lineNum) +
                      ", whose notes stay: select the definition too to move it everywhere, or "
                      "transpose the whole score.";
    refusal.line = token.line;
    refusal.column = token.note.charStart;
    refusal.length = token.note.charLength;
    return refusal;
}

} // namespace notaro
