#include "score/ScoreNoteTokens.h"

#include "base/TextUtil.h"
#include "score/ScoreTokens.h"

#include <algorithm>

namespace notaro {

ScoreNoteTokens::ScoreNoteTokens(std::string_view text) : text_(text) {
    // The parser reads a tab as a blank; both separate tokens, so no token changes place.
    std::replace(text_.begin(), text_.end(), '\t', ' ');
    int32_t chars = 0;
    size_t bytes = 0;
    for (const std::string_view line : text::splitCrLfLines(text_)) {
        lines_.push_back(Line{chars, bytes, line});
        chars += text::charCount(line) + 2;
        bytes += line.size() + 2;
    }
    const auto header = std::find_if(lines_.begin(), lines_.end(), [](const Line& l) {
        return tokens::isHeaderCandidate(l.text);
    });
    if (header == lines_.end() || !tokens::headerNamingSystem(header->text))
        return;
    const bool bIsDoRe = *tokens::headerNamingSystem(header->text) == tokens::NamingSystem::Solfege;
    for (auto l = header + 1; l != lines_.end(); ++l) {
        if (tokens::classifyBodyLine(l->text).kind != tokens::LineKind::Notes)
            continue;
        NotesLineScanner scanner(l->text, bIsDoRe);
        Token t;
        t.line = static_cast<int32_t>(l - lines_.begin()) + 1;
        while (scanner.next(t.note))
            tokens_.push_back(t);
    }
}

int32_t ScoreNoteTokens::find(int32_t line, int32_t column) const {
    const auto it = std::lower_bound(tokens_.begin(), tokens_.end(), std::pair(line, column),
                                     [](const Token& t, const std::pair<int32_t, int32_t>& at) {
                                         return std::pair(t.line, t.note.charStart) < at;
                                     });
    if (it == tokens_.end() || it->line != line || it->note.charStart != column)
        return -1;
    return static_cast<int32_t>(it - tokens_.begin());
}

} // namespace notaro
