#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace notaro {

/// A comment line "!!$TYPE, TEXT" as a parse read it. Such a comment becomes a text event of
/// TYPE (1 to 7: text, copyright, track name, instrument name, lyric, marker, cue point) in the
/// MIDI files we write; any other comment is only kept with its record.
struct MetaComment {
    int32_t type = 0;
    std::string text;
    /// 1-based line holding the comment; for a comment in a definition body, the body line.
    int32_t line = 0;
    /// 0-based character offset and length of text in that line.
    int32_t column = 0;
    int32_t length = 0;
};

/// One place of a meta comment among the records. A comment in a definition body has one
/// place per use but is kept once, so that a definition used a million times costs a million
/// small places rather than a million copies of its text.
struct MetaCommentUse {
    /// beforeRecord of a meta comment that follows the last record.
    static constexpr int32_t kAfterLastRecord = -1;

    /// Index of the comment in the parser's metaCommentLines().
    int32_t comment = 0;
    /// Index of the record whose preCommentLines hold the comment, or kAfterLastRecord when
    /// the parser's finalCommentLines do.
    int32_t beforeRecord = kAfterLastRecord;
};

/// Reads a meta comment "!!$TYPE, TEXT": blanks may surround the line, the type and the text,
/// and the line's tabs are dropped. TYPE is a number that rounds to 1..7.
/// @return false, leaving metaType and metaText alone, for any other line
bool parseMetaComment(std::string_view line, int32_t& metaType, std::string& metaText);

/// As parseMetaComment, for a line without tabs (the parser's and the editor's lines, whose
/// tabs are blanks already); metaText views the line.
bool readMetaComment(std::string_view line, int32_t& metaType, std::string_view& metaText);

} // namespace notaro
