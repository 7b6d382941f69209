#pragma once

#include "score/MetaComment.h"
#include "score/NotesLineScanner.h"
#include "score/ParseError.h"
#include "score/RecordList.h"
#include "score/ScoreCodes.h"
#include "score/ScoreTokens.h"
#include "score/cDuration.h"
#include "score/cGSpans.h"
#include "score/cGnsNote.h"
#include "score/cNotePAO.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace notaro {

/// The score text parser: turns a score text into an ordered list of records, or reports
/// the first error as a ParseError (line, character range, code and message).
///
/// One object serves any number of parses; each parse starts from clear(). After a
/// successful parse the records answer the queries below until the next parse.
class cTParse {
public:
    /// Most records one parse may make; a score that would make more fails with a clear
    /// message instead of exhausting memory (nested definitions multiply quickly).
    static constexpr int32_t kMaxRecords = 4'000'000;
    /// Most definition body lines one parse may read while expanding definitions.
    static constexpr int64_t kMaxExpandedLines = 16'000'000;
    /// Most bytes of comment text one parse may collect.
    static constexpr size_t kMaxCommentBytes = size_t{64} << 20;
    /// Tempo (quarter notes per minute) and General MIDI program before any directive.
    static constexpr int32_t kDefaultTempo = 120;
    static constexpr int32_t kDefaultInstrument = 0;
    /// What the record index queries give when no record matches.
    static constexpr int32_t kNoRecord = RecordList::kNoRecord;

    cTParse();

    /// A public duration for the caller's use; clear() sets it to 0/1.
    cDuration preNotesDur;

    int32_t nNotes() const noexcept { return notes_.size(); }
    /// Record i (0-based); std::out_of_range outside the list.
    const cGnsNote& theNotes(int32_t i) const { return notes_.at(i); }
    int32_t recordCapacity() const noexcept { return notes_.capacity(); }
    /// Comment lines after the last record, joined by CR LF.
    const std::string& finalCommentLines() const noexcept { return finalCommentLines_; }
    /// Every meta comment among the comment lines that the records' preCommentLines and
    /// finalCommentLines hold, in the same order (a comment in a definition body once for
    /// every use): which comment, and the record it precedes.
    const std::vector<MetaCommentUse>& metaComments() const noexcept { return metaUses_; }
    /// The meta comment lines that metaComments() name, each once, in the order first met.
    const std::vector<MetaComment>& metaCommentLines() const noexcept { return metaLines_; }

    /// The naming system the header chose.
    tokens::NamingSystem namingSystem() const noexcept { return namingSystem_; }

    /// Resets every state of the parser (the last pitch read excepted).
    void clear();
    /// Parses a whole score text whose lines end with CR LF. Running out of memory is
    /// reported as an internal failure, not thrown.
    /// @return the first error, or a value whose ok() is true when the whole text parsed
    ParseError parseAramText(std::string_view dTxt);

    /// Index of the first record whose lineNum >= iLine; kNoRecord when none.
    int32_t iNoteOfILine(int32_t iLine) const;
    /// Index of the first record under or after (line, 1-based column); kNoRecord when none.
    int32_t iNoteOfILineIPos(int32_t iLine, int32_t iPos) const;
    /// dur := sum of the durations of records iNoteFrom .. iNoteTo-1.
    /// @return SumResult::Ok, or SumResult::Overflow when the sum does not fit 32 bits
    SumResult interNoteDur(int32_t iNoteFrom, int32_t iNoteTo, std::optional<cDuration>& dur) const;
    /// The record as text, for example "4c t> <s> d=1/4" or "L7 2.: d=3/4".
    std::string noteToStr(int32_t iNote, bool bIsDoRe, bool withLineNum = false) const;
    /// Sum of the durations of nNotes records from iNoteFrom, stopping at the end of the list.
    cDuration noteSeqDur(int32_t iNoteFrom, int32_t nNotes) const;
    /// Number of rests in a row from a rest, or of notes in the tie chain starting at a note.
    int32_t numNoteParts(int32_t iNoteFrom) const;
    /// Number of separately struck notes among nNotes records from iNoteFrom.
    int32_t numSeparateNotes(int32_t iNoteFrom, int32_t nNotes) const;
    /// Tempo in quarter notes per minute in force before record iNote; kDefaultTempo if none.
    int32_t getPrevQNPM(int32_t iNote) const;
    /// General MIDI program in force before record iNote; kDefaultInstrument if none.
    int32_t getPrevInstrument(int32_t iNote) const;

private:
    // Document structure.
    void splitLines(std::string_view dTxt);
    bool readHeader(std::string_view line);
    int32_t parseLines(std::string_view dTxt, ParseError& error);
    /// Makes error an internal failure of the whole line; returns false.
    static bool failInternally(ParseError& error, std::string message);
    bool handleLine(std::string_view line, const tokens::LineInfo& info, ParseError& error);
    bool handleConstruct(std::string_view line, const tokens::LineInfo& info, ParseError& error);
    bool readTempo(std::string_view trimmed, ParseError& error);
    bool readInstrument(std::string_view trimmed, ParseError& error);
    bool appendDirective(int32_t eventType, int32_t value, ParseError& error);
    bool addComment(std::string_view line, std::string_view trimmed, ParseError& error);
    void noteMetaComment(std::string_view line, std::string_view trimmed);
    int32_t appendRecord(ParseError& error);
    void takePendingComments(int32_t index);

    // Notes lines.
    bool readNotesLine(std::string_view line, ParseError& error);
    int32_t readNoteToken(const NoteToken& token, ParseError& error);
    int32_t appendNoteRecord(const NoteToken& token, ParseError& error);
    const char* readNoteMarks(const NoteToken& token, cGnsNote& rec);
    void placeNoteRecord(const NoteToken& token, int32_t index);

    // Definitions.
    bool openDefinition(int32_t lineIndex, std::string_view name, ParseError& error);
    bool closeDefinition(int32_t lineIndex, ParseError& error);
    bool expandDefinition(std::string_view name, int32_t count, ParseError& error);

    const cGnsNote& noteRecord(int32_t i) const;

    RecordList notes_;
    std::string finalCommentLines_;
    std::vector<MetaComment> metaLines_;
    std::vector<MetaCommentUse> metaUses_;
    // metaUses_ from this index on are still pending: no record has taken them yet.
    size_t pendingMetaFrom_ = 0;
    // What each comment line read so far is: kUnread, kNotMeta or its index in metaLines_;
    // made when the first comment line is read.
    std::vector<int32_t> metaOfLine_;
    cGSpans definitions_;
    std::string pendingComments_;
    size_t commentBytes_ = 0;
    int64_t expandedLines_ = 0;
    bool tieOpen_ = false;
    bool slurOpen_ = false;
    std::optional<cNotePAO> lastPitch_;
    tokens::NamingSystem namingSystem_ = tokens::NamingSystem::LetterNames;
    int32_t defDepth_ = 0;
    int32_t curLine_ = 0;
    int32_t curNoteLine_ = 0;
    // The text's lines, viewing either the caller's text or text_ (a copy with tabs made
    // blanks); they are valid only while a parse runs.
    std::string text_;
    std::vector<std::string_view> textLines_;
    int32_t nLines_ = 0;
};

} // namespace notaro
