#include "score/ScoreTokens.h"

#include "base/TextUtil.h"
#include "score/MetaComment.h"
#include "score/NotesLineScanner.h"

#include <string>

namespace notaro::tokens {

using text::trimBlanks;

namespace {

/// Recognises the three definition lines; anything else stays Blank (not a definition line).
LineInfo readDefinitionLine(std::string_view t) {
    LineInfo out;
    if (text::startsWithNoCase(t, "*def[")) {
        const std::string_view rest = t.substr(5);
        if (!rest.empty() && rest.back() == ']') {
            out.kind = LineKind::DefStart;
            out.name = trimBlanks(rest.substr(0, rest.size() - 1));
        }
        return out;
    }
    if (text::equalsNoCase(t, "*enddef")) {
        out.kind = LineKind::DefEnd;
        return out;
    }
    if (text::startsWithNoCase(t, "*usedef[")) {
        const std::string_view rest = t.substr(8);
        if (rest.empty() || rest.back() != ']')
            return out;
        const std::string_view inside = trimBlanks(rest.substr(0, rest.size() - 1));
        const size_t colon = inside.find(':');
        // A name may begin with ":"; only a later colon introduces a count.
        if (colon == std::string_view::npos || colon == 0) {
            out.name = inside;
        } else {
            int32_t count = 0;
            if (!text::isWholeNumber(inside.substr(colon + 1), count) || count < 1)
                return out;
            out.name = trimBlanks(inside.substr(0, colon));
            out.count = count;
        }
        out.kind = LineKind::DefUse;
    }
    return out;
}

/// Collects spans in line order, counting characters as it goes and joining neighbours of
/// one kind.
class SpanBuilder {
public:
    explicit SpanBuilder(std::string_view line) : line_(line) {}

    void add(TokenKind kind, size_t byteStart, size_t byteLength) {
        if (byteLength == 0)
            return;
        const int32_t start = charsUpTo(byteStart);
        const int32_t length = charsUpTo(byteStart + byteLength) - start;
        if (!spans_.empty()) {
            TokenSpan& last = spans_.back();
            if (last.kind == kind && last.byteStart + last.byteLength == byteStart) {
                last.length += length;
                last.byteLength += static_cast<uint32_t>(byteLength);
                return;
            }
        }
        spans_.push_back(TokenSpan{kind, start, length, static_cast<uint32_t>(byteStart),
                                   static_cast<uint32_t>(byteLength)});
    }
    void addView(TokenKind kind, std::string_view part) {
        add(kind, static_cast<size_t>(part.data() - line_.data()), part.size());
    }
    std::vector<TokenSpan> take() { return std::move(spans_); }

private:
    int32_t charsUpTo(size_t byte) {
        for (; countedBytes_ < byte; ++countedBytes_)
            countedChars_ += (static_cast<unsigned char>(line_[countedBytes_]) & 0xC0) != 0x80;
        return countedChars_;
    }

    std::string_view line_;
    std::vector<TokenSpan> spans_;
    size_t countedBytes_ = 0;
    int32_t countedChars_ = 0;
};

void addNotesLine(std::string_view line, bool bIsDoRe, SpanBuilder& out) {
    NotesLineScanner scanner(line, bIsDoRe);
    NoteToken tok;
    size_t gapStart = 0;
    auto addSeparators = [&](size_t end) {
        for (size_t i = gapStart; i < end; ++i)
            if (line[i] != ' ')
                out.add(TokenKind::Other, i, 1);
    };
    while (scanner.next(tok)) {
        addSeparators(tok.byteStart);
        gapStart = tok.byteStart + tok.text.size();
        if (!tok.valid) {
            out.add(TokenKind::Invalid, tok.byteStart, tok.text.size());
            continue;
        }
        size_t at = tok.byteStart;
        out.add(TokenKind::NoteValue, at, tok.valueBytes);
        at += tok.valueBytes;
        if (tok.isRest) {
            out.add(TokenKind::Rest, at, 1);
            continue;
        }
        const uint8_t accidental = tok.accidentalBytes();
        out.add(TokenKind::Pitch, at, tok.pitchBytes - accidental);
        at += tok.pitchBytes - accidental;
        out.add(TokenKind::Accidental, at, accidental);
        at += accidental;
        for (const char c : tok.marksText)
            out.add(NoteToken::isMark(c) ? TokenKind::Mark : TokenKind::Other, at++, 1);
    }
    addSeparators(line.size());
}

/// The rule the MIDI converter applies, so that only comments that become text events look so.
bool isMetaComment(std::string_view trimmed) {
    int32_t type = 0;
    std::string_view text;
    return readMetaComment(trimmed, type, text);
}

TokenKind spanKindOf(const LineInfo& info) {
    switch (info.kind) {
    case LineKind::DefStart:
        return TokenKind::DefStart;
    case LineKind::DefEnd:
        return TokenKind::DefEnd;
    case LineKind::DefUse:
        return TokenKind::DefUse;
    case LineKind::Comment:
        return isMetaComment(info.trimmed) ? TokenKind::MetaComment : TokenKind::Comment;
    case LineKind::Tempo:
        return TokenKind::Tempo;
    case LineKind::Instrument:
        return TokenKind::Instrument;
    case LineKind::BadConstruct:
        return TokenKind::Invalid;
    default:
        return TokenKind::Other;
    }
}

} // namespace

LineInfo classifyBodyLine(std::string_view line) noexcept {
    const std::string_view t = trimBlanks(line);
    if (t.empty())
        return LineInfo{LineKind::Blank, t, {}, 1};
    LineInfo info = readDefinitionLine(t);
    info.trimmed = t;
    if (info.kind != LineKind::Blank)
        return info;
    switch (t.front()) {
    case '!':
        info.kind = LineKind::Comment;
        break;
    case '*':
        if (t.back() == ']' && text::startsWithNoCase(t, "*t["))
            info.kind = LineKind::Tempo;
        else if (t.back() == ']' && text::startsWithNoCase(t, "*i["))
            info.kind = LineKind::Instrument;
        else
            info.kind = LineKind::BadConstruct;
        break;
    case '=':
        // Only a "=" line that starts in the first column is a rule line.
        info.kind = line.front() == '=' ? LineKind::Ignored : LineKind::BadConstruct;
        break;
    default:
        info.kind = t == "." ? LineKind::Ignored : LineKind::Notes;
        break;
    }
    return info;
}

bool isHeaderCandidate(std::string_view line) noexcept {
    return !trimBlanks(line).empty() && line.substr(0, 2) != "!!";
}

std::optional<NamingSystem> headerNamingSystem(std::string_view line) noexcept {
    const std::string_view t = trimBlanks(line);
    if (text::equalsNoCase(t, "**n[a-b-c]"))
        return NamingSystem::LetterNames;
    if (text::equalsNoCase(t, "**n[d-r-m]"))
        return NamingSystem::Solfege;
    return std::nullopt;
}

std::vector<TokenSpan> scanLine(std::string_view raw, LinePlace& place) {
    // The parser turns tabs into blanks before reading anything; so does this.
    std::string blanked;
    std::string_view line = raw;
    if (raw.find('\t') != std::string_view::npos) {
        blanked.assign(raw);
        for (char& c : blanked)
            if (c == '\t')
                c = ' ';
        line = blanked;
    }
    SpanBuilder out(line);
    const std::string_view trimmed = trimBlanks(line);
    if (place == LinePlace::BeforeHeader) {
        if (isHeaderCandidate(line)) {
            const std::optional<NamingSystem> naming = headerNamingSystem(line);
            out.addView(naming ? TokenKind::Header : TokenKind::Invalid, trimmed);
            place = naming == NamingSystem::Solfege ? LinePlace::Solfege : LinePlace::LetterNames;
        } else {
            out.addView(TokenKind::Comment, trimmed);
        }
        return out.take();
    }
    const LineInfo info = classifyBodyLine(line);
    if (info.kind == LineKind::Notes)
        addNotesLine(line, place == LinePlace::Solfege, out);
    else if (info.kind != LineKind::Blank)
        out.addView(spanKindOf(info), info.trimmed);
    return out.take();
}

} // namespace notaro::tokens
