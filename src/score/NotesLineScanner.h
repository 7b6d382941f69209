#pragma once

#include "score/cNotePAO.h"

#include <cstdint>
#include <string_view>

namespace notaro {

/// One note or rest token of a notes line, as far as its text alone tells.
///
/// Offsets count characters as the parser reports them (a multi-byte UTF-8 character counts
/// once) and, for locating the parts, bytes. The parts (note value, pitch letters, accidental,
/// marks) are consecutive: the note value starts the token and the marks end it.
struct NoteToken {
    std::string_view text;
    int32_t charStart = 0;
    int32_t charLength = 0;
    uint32_t byteStart = 0;
    /// False when the text does not follow the token grammar; the parts below are then
    /// meaningless.
    bool valid = false;
    bool isRest = false;
    /// Note value 0..99 (0 is a double whole note) and number of dots 0..2.
    uint8_t value = 0;
    uint8_t dots = 0;
    /// Bytes of the note value with its dots, and of the pitch with its accidental.
    uint8_t valueBytes = 0;
    uint8_t pitchBytes = 0;
    cNotePAO pitch;
    /// Everything after the pitch (or after the rest marker); of its characters only "[", "]",
    /// "(", ")" and "'" mean something, however often they are written.
    std::string_view marksText;

    bool hasMark(char mark) const noexcept {
        return marksText.find(mark) != std::string_view::npos;
    }
    static bool isMark(char c) noexcept {
        return c == '[' || c == ']' || c == '(' || c == ')' || c == '\'';
    }
    /// Bytes of the accidental (0 or 1) at the end of the pitch. No accidental character is a
    /// pitch letter, so a last pitch character that differs from the first is the accidental.
    uint8_t accidentalBytes() const noexcept {
        return pitchBytes > 1 && text[valueBytes + pitchBytes - 1u] != text[valueBytes] ? 1 : 0;
    }
};

namespace detail {
struct SeparatorTable {
    bool is[256] = {};
    constexpr SeparatorTable() {
        for (unsigned char c : {' ', '|', '^', '\t', ',', '='})
            is[c] = true;
    }
};
inline constexpr SeparatorTable kSeparators{};

/// The note value and its dots at the start of a token: 1 or 2 digits, then at most 2 dots.
inline bool readDurationPrefix(std::string_view token, NoteToken& out) {
    size_t digits = 0;
    while (digits < token.size() && token[digits] >= '0' && token[digits] <= '9')
        ++digits;
    if (digits < 1 || digits > 2)
        return false;
    size_t dots = 0;
    while (digits + dots < token.size() && token[digits + dots] == '.')
        ++dots;
    if (dots > 2)
        return false;
    out.value = static_cast<uint8_t>(digits == 1 ? token[0] - '0'
                                                 : (token[0] - '0') * 10 + (token[1] - '0'));
    out.dots = static_cast<uint8_t>(dots);
    out.valueBytes = static_cast<uint8_t>(digits + dots);
    return true;
}
} // namespace detail

/// Reads the note and rest tokens of one notes line, one at a time.
///
/// This is the only reading of a notes line: the parser records the tokens it returns, and the
/// editor's colouring shows their parts. Blank, "|", "^", tab, "," and "=" separate tokens; each
/// counts as one character.
class NotesLineScanner {
public:
    /// line must outlive the scanner; bIsDoRe chooses solfege initials for the pitch letters.
    NotesLineScanner(std::string_view line, bool bIsDoRe) noexcept
        : line_(line), bIsDoRe_(bIsDoRe) {}

    /// Reads the next token into tok. @return false when the line holds no further token
    bool next(NoteToken& tok) {
        // Inline and counted in locals, since the parser calls this for every note it reads.
        const char* const begin = line_.data();
        const char* const end = begin + line_.size();
        const char* p = begin + pos_;
        int32_t chars = chars_;
        while (p < end && isSeparator(*p)) {
            ++p;
            ++chars;
        }
        if (p == end) {
            pos_ = line_.size();
            chars_ = chars;
            return false;
        }
        const char* const start = p;
        const int32_t startChar = chars;
        // Bytes that continue a UTF-8 sequence do not start a character.
        for (; p < end && !isSeparator(*p); ++p)
            chars += (static_cast<unsigned char>(*p) & 0xC0) != 0x80;
        pos_ = static_cast<size_t>(p - begin);
        chars_ = chars;
        tok.text = std::string_view(start, static_cast<size_t>(p - start));
        tok.charStart = startChar;
        tok.charLength = chars - startChar;
        tok.byteStart = static_cast<uint32_t>(start - begin);
        tok.valid = readNoteText(tok.text, bIsDoRe_, tok);
        return true;
    }

    /// True for the characters that separate tokens on a notes line.
    static bool isSeparator(char c) noexcept {
        return detail::kSeparators.is[static_cast<unsigned char>(c)];
    }

    /// Reads the parts of one token into out (all but its text and position).
    /// @return false when the token does not follow the grammar
    static bool readNoteText(std::string_view token, bool bIsDoRe, NoteToken& out);

private:
    std::string_view line_;
    size_t pos_ = 0;
    int32_t chars_ = 0;
    bool bIsDoRe_ = false;
};

// Inline, like next(): the parser reads every note through it.
inline bool NotesLineScanner::readNoteText(std::string_view token, bool bIsDoRe, NoteToken& out) {
    out.isRest = false;
    out.pitch = cNotePAO{};
    out.pitchBytes = 0;
    out.marksText = {};
    if (!detail::readDurationPrefix(token, out))
        return false;
    const std::string_view rest = token.substr(out.valueBytes);
    if (rest == ":") {
        out.isRest = true;
        out.pitch.pitch = cNotePAO::kRest;
        return true;
    }
    const int32_t used = out.pitch.fromStr(rest, bIsDoRe);
    if (used < 1)
        return false;
    out.pitchBytes = static_cast<uint8_t>(used);
    out.marksText = rest.substr(static_cast<size_t>(used));
    return true;
}

} // namespace notaro
