// Notes lines: tokens of note value, pitch or rest marker, and tie, slur and staccato marks.
#include "score/cTParse.h"

namespace notaro {

namespace {

const char kInvalid[] = "Invalid note/rest";

/// The marks of one kind of bow and what the parser says when they are misplaced. A slur may
/// neither start nor end inside a tie; a tie never meets that rule.
struct BowRule {
    char startMark;
    char endMark;
    const char* startInsideOpen;
    const char* endWithoutStart;
    const char* startInsideTie; ///< nullptr: allowed
    const char* endInsideTie;   ///< nullptr: allowed
};

constexpr BowRule kTie{
    '[',     ']',    "Start of tie inside another tie", "End of tie without a start of tie",
    nullptr, nullptr};
constexpr BowRule kSlur{'(',
                        ')',
                        "Start of slur inside another slur",
                        "End of slur without a start of slur",
                        "Start of slur inside a tie",
                        "End of slur inside a tie"};

/// Applies one bow's marks of a note: updates whether the bow is open and sets the record's
/// bits. @return nullptr, or the message of the rule the note breaks
const char* readBow(const BowRule& rule, const NoteToken& note, bool insideTie, bool& open,
                    uint8_t& bits) {
    bits = open ? cGnsNote::kBowFromPrevious : 0;
    const bool starts = note.hasMark(rule.startMark);
    const bool ends = note.hasMark(rule.endMark);
    if (starts) {
        if (open)
            return rule.startInsideOpen;
        if (ends)
            return kInvalid;
        if (insideTie && rule.startInsideTie)
            return rule.startInsideTie;
        open = true;
        bits |= cGnsNote::kBowToNext;
    } else if (ends) {
        if (!open)
            return rule.endWithoutStart;
        if (insideTie && rule.endInsideTie)
            return rule.endInsideTie;
        open = false;
    } else if (open) {
        bits |= cGnsNote::kBowToNext;
    }
    return nullptr;
}

/// Reads the staccato mark; it is refused on a slurred or tied note.
const char* readStaccato(const NoteToken& note, bool slurOpen, bool tieOpen, uint8_t& level) {
    level = 0;
    if (!note.hasMark('\''))
        return nullptr;
    level = 1;
    if (slurOpen)
        return "Staccato inside a slur";
    if (tieOpen)
        return "Staccato inside a tie";
    return nullptr;
}

} // namespace

bool cTParse::readNotesLine(std::string_view line, ParseError& error) {
    try {
        NotesLineScanner scanner(line, namingSystem_ == tokens::NamingSystem::Solfege);
        NoteToken token;
        while (scanner.next(token)) {
            if (readNoteToken(token, error) < 0) {
                error.column = token.charStart;
                error.length = token.charLength;
                return false;
            }
        }
        return true;
    } catch (const std::exception&) {
        return failInternally(error, "Error in notes line");
    }
}

int32_t cTParse::readNoteToken(const NoteToken& note, ParseError& error) {
    // A token that breaks a rule after its record was appended leaves the record in the list.
    const int32_t index = appendNoteRecord(note, error);
    if (index < 0)
        return kNoRecord;
    cGnsNote& rec = notes_[index];
    if (const char* fault = readNoteMarks(note, rec)) {
        error.message = fault;
        return kNoRecord;
    }
    placeNoteRecord(note, index);
    return index;
}

int32_t cTParse::appendNoteRecord(const NoteToken& note, ParseError& error) {
    if (!note.valid) {
        error.message = kInvalid;
        return kNoRecord;
    }
    const int32_t index = appendRecord(error);
    if (index < 0)
        return kNoRecord;
    cGnsNote& rec = notes_[index];
    rec.eventType = cGnsNote::kNote;
    rec.notePao = note.pitch;
    cDuration dur;
    if (dur.fromDDots(note.value, note.dots) != DurationResult::Ok) {
        error.message = kInvalid;
        return kNoRecord;
    }
    rec.dur = dur;
    return index;
}

const char* cTParse::readNoteMarks(const NoteToken& note, cGnsNote& rec) {
    if (tieOpen_ && (!lastPitch_ || !note.pitch.isEqualTo(*lastPitch_)))
        return "Different pitches in a tie";
    if (const char* fault = readBow(kTie, note, false, tieOpen_, rec.tie))
        return fault;
    // The slur rules see the tie as this note leaves it.
    if (const char* fault = readBow(kSlur, note, tieOpen_, slurOpen_, rec.slur))
        return fault;
    return readStaccato(note, slurOpen_, tieOpen_, rec.staccatoLevel);
}

void cTParse::placeNoteRecord(const NoteToken& note, int32_t index) {
    takePendingComments(index);
    cGnsNote& rec = notes_[index];
    rec.lineNum = curLine_;
    rec.noteLineNum = curNoteLine_;
    rec.noteCharNum = note.charStart;
    rec.noteStrLen = note.charLength;
    lastPitch_ = note.pitch;
}

} // namespace notaro
