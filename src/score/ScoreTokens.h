#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace notaro::tokens {

// How a score text reads line by line. The parser decides every line's kind with these
// functions and reads notes lines with NotesLineScanner; scanLine turns the same decisions into
// coloured spans for the editor, so what the editor shows is what the parser reads.

/// What a line after the header is, judged by its text alone.
enum class LineKind : uint8_t {
    Blank,        ///< nothing but blanks
    DefStart,     ///< "*def[" name "]"
    DefEnd,       ///< "*enddef"
    DefUse,       ///< "*usedef[" name "]" or "*usedef[" name ":" count "]"
    Comment,      ///< first non-blank character "!"
    Tempo,        ///< "*t[" ... "]"
    Instrument,   ///< "*i[" ... "]"
    BadConstruct, ///< any other "*" line, or a "=" line that does not start in column 1
    Ignored,      ///< a "=" line starting in column 1, or exactly "."
    Notes,        ///< anything else: note and rest tokens
};

/// A body line's kind, its trimmed text and, for a definition line, the name and count.
struct LineInfo {
    LineKind kind = LineKind::Blank;
    std::string_view trimmed;
    /// Definition name (trimmed, case kept) of DefStart and DefUse; a view into the line.
    std::string_view name;
    /// Repeat count of DefUse, 1..32767.
    int32_t count = 1;
};

/// Classifies a line after the header; tabs must already be blanks.
LineInfo classifyBodyLine(std::string_view line) noexcept;

/// True for the line that the header search stops at: one that is not blank and does not
/// begin, in its very first column, with "!!".
bool isHeaderCandidate(std::string_view line) noexcept;

/// How the pitches of a score are named; the header line chooses.
enum class NamingSystem : int8_t {
    LetterNames = 0, ///< c d e f g a b
    Solfege = 1,     ///< solfege initials d r m f s l t
};

/// Naming system chosen by a header line; none when the line is not a header.
std::optional<NamingSystem> headerNamingSystem(std::string_view line) noexcept;

/// The kind of one coloured stretch of a line.
enum class TokenKind : uint8_t {
    Header,
    Comment,
    MetaComment, ///< a comment that becomes a text event in MIDI files (readMetaComment)
    Tempo,
    Instrument,
    DefStart,
    DefEnd,
    DefUse,
    NoteValue, ///< digits and dots of a note or rest
    Pitch,     ///< the letters of a pitch
    Accidental,
    Mark,  ///< tie, slur and staccato marks
    Rest,  ///< the rest marker ":"
    Other, ///< separators other than blanks, ignored characters and ignored lines
    Invalid,
};
inline constexpr int kTokenKindCount = static_cast<int>(TokenKind::Invalid) + 1;

/// One stretch of a line: start and length in characters (as the parser counts them, a
/// multi-byte UTF-8 character counting once) and in bytes.
struct TokenSpan {
    TokenKind kind = TokenKind::Other;
    int32_t start = 0;
    int32_t length = 0;
    uint32_t byteStart = 0;
    uint32_t byteLength = 0;

    bool operator==(const TokenSpan& o) const {
        return kind == o.kind && start == o.start && length == o.length &&
               byteStart == o.byteStart && byteLength == o.byteLength;
    }
};

/// Where a line stands in the text: before the header, or after it with its naming system.
enum class LinePlace : int8_t { BeforeHeader = -1, LetterNames = 0, Solfege = 1 };

/// Spans of one line of score text (UTF-8, tabs allowed), in order, not overlapping; blanks
/// belong to no span and neighbouring spans of one kind are joined. place is where the line
/// stands and becomes where the next line stands: the header line (shown as Invalid when it is
/// neither form, after which lines read with letter names) ends the part before the header.
/// Before the header, the "!!" lines the header search skips are comments.
std::vector<TokenSpan> scanLine(std::string_view line, LinePlace& place);

} // namespace notaro::tokens
