// Notes lines: tokens of note value, pitch or rest marker, and tie, slur and staccato marks.
#include "cTParse.h"

namespace notaro {

std::string cTParse::readNotesLine(std::string_view line, int32_t& eCharPos, int32_t& eLen) {
    try {
        std::string msg;
        NotesLineScanner scanner(line, namingSystem_ == 1);
        NoteToken token;
        while (scanner.next(token)) {
            if (readNoteToken(token, msg) < 0) {
                eCharPos = token.charStart;
                eLen = token.charLength;
                return msg;
            }
        }
        return {};
    } catch (const std::exception&) {
        eCharPos = 0;
        eLen = -1;
        return "Error in notes line";
    }
}

int32_t cTParse::readNoteToken(const NoteToken& note, std::string& msg) {
    static const std::string kInvalid = "Invalid note/rest";
    if (!note.valid) {
        msg = kInvalid;
        return -1;
    }
    const int32_t index = appendRecord(msg);
    if (index < 0)
        return -1;
    cGnsNote& rec = notes_[index];
    rec.eventType = cGnsNote::kNote;
    rec.notePao = note.pitch;
    cDuration dur;
    if (dur.fromDDots(note.value, note.dots) != 0) {
        msg = kInvalid;
        return -1;
    }
    rec.dur = dur;

    rec.tie = 0;
    if (tieOpen_) {
        if (!lastPitch_ || !note.pitch.isEqualTo(*lastPitch_)) {
            msg = "Different pitches in a tie";
            return -1;
        }
        rec.tie |= 1;
    }
    const bool tieStart = note.hasMark('[');
    const bool tieEnd = note.hasMark(']');
    if (tieStart) {
        if (tieOpen_) {
            msg = "Start of tie inside another tie";
            return -1;
        }
        if (tieEnd) {
            msg = kInvalid;
            return -1;
        }
        tieOpen_ = true;
        rec.tie |= 2;
    } else if (tieEnd) {
        if (!tieOpen_) {
            msg = "End of tie without a start of tie";
            return -1;
        }
        tieOpen_ = false;
    } else if (tieOpen_) {
        rec.tie |= 2;
    }

    rec.slur = 0;
    if (slurOpen_)
        rec.slur |= 1;
    const bool slurStart = note.hasMark('(');
    const bool slurEnd = note.hasMark(')');
    if (slurStart) {
        if (slurOpen_) {
            msg = "Start of slur inside another slur";
            return -1;
        }
        if (slurEnd) {
            msg = kInvalid;
            return -1;
        }
        if (tieOpen_) {
            msg = "Start of slur inside a tie";
            return -1;
        }
        slurOpen_ = true;
        rec.slur |= 2;
    } else if (slurEnd) {
        if (!slurOpen_) {
            msg = "End of slur without a start of slur";
            return -1;
        }
        if (tieOpen_) {
            msg = "End of slur inside a tie";
            return -1;
        }
        slurOpen_ = false;
    } else if (slurOpen_) {
        rec.slur |= 2;
    }

    rec.staccatoLevel = 0;
    if (note.hasMark('\'')) {
        rec.staccatoLevel = 1;
        if (slurOpen_) {
            msg = "Staccato inside a slur";
            return -1;
        }
        if (tieOpen_) {
            msg = "Staccato inside a tie";
            return -1;
        }
    }

    takePendingComments(rec);
    rec.lineNum = curLine_;
    rec.noteLineNum = curNoteLine_;
    rec.noteCharNum = note.charStart;
    rec.noteStrLen = note.charLength;
    lastPitch_ = note.pitch;
    return index;
}

} // namespace notaro
