// Notes lines: tokens of note value, pitch or rest marker, and tie, slur and staccato marks.
#include "cTParse.h"

namespace notaro {

namespace {

/// Token separators of a notes line: blank, tab, "|", "^", "," and "=".
struct SeparatorTable {
    bool is[256] = {};
    constexpr SeparatorTable() {
        for (unsigned char c : {' ', '|', '^', '\t', ',', '='})
            is[c] = true;
    }
};
constexpr SeparatorTable kSeparators;

bool isSeparator(char c) {
    return kSeparators.is[static_cast<unsigned char>(c)];
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

/// The note value and dots at the start of a token.
struct DurationPrefix {
    uint8_t value = 0;
    uint8_t dots = 0;
    size_t length = 0;
};

bool readDurationPrefix(std::string_view token, DurationPrefix& out) {
    size_t digits = 0;
    while (digits < token.size() && isDigit(token[digits]))
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
    out.length = digits + dots;
    return true;
}

/// The textual part of a token: its duration, its pitch (255 for a rest) and its marks.
struct NoteText {
    DurationPrefix duration;
    cNotePAO pitch;
    std::string_view marks;
    bool isRest = false;
};

bool readNoteText(std::string_view token, bool bIsDoRe, NoteText& out) {
    if (!readDurationPrefix(token, out.duration))
        return false;
    const std::string_view rest = token.substr(out.duration.length);
    if (rest == ":") {
        out.isRest = true;
        out.pitch.pitch = cNotePAO::kRest;
        out.marks = {};
        return true;
    }
    const int32_t used = out.pitch.fromStr(rest, bIsDoRe);
    if (used < 1)
        return false;
    out.marks = rest.substr(static_cast<size_t>(used));
    return true;
}

bool hasMark(std::string_view marks, char mark) {
    return marks.find(mark) != std::string_view::npos;
}

} // namespace

std::string cTParse::readNotesLine(std::string_view line, int32_t& eCharPos, int32_t& eLen) {
    try {
        const bool bIsDoRe = namingSystem_ == 1;
        std::string msg;
        const char* const begin = line.data();
        const char* const end = begin + line.size();
        const char* p = begin;
        int32_t chars = 0;
        while (p < end) {
            if (isSeparator(*p)) {
                ++p;
                ++chars;
                continue;
            }
            const char* const start = p;
            const int32_t startChar = chars;
            // Bytes that continue a UTF-8 sequence do not start a character.
            for (; p < end && !isSeparator(*p); ++p)
                chars += (static_cast<unsigned char>(*p) & 0xC0) != 0x80;
            const int32_t tokenChars = chars - startChar;
            const std::string_view token(start, static_cast<size_t>(p - start));
            if (readNoteToken(token, bIsDoRe, startChar, tokenChars, msg) < 0) {
                eCharPos = startChar;
                eLen = tokenChars;
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

int32_t cTParse::readNoteToken(std::string_view token, bool bIsDoRe, int32_t charOffset,
                               int32_t charLen, std::string& msg) {
    static const std::string kInvalid = "Invalid note/rest";
    NoteText note;
    try {
        if (!readNoteText(token, bIsDoRe, note)) {
            msg = kInvalid;
            return -1;
        }
    } catch (const std::exception&) {
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
    if (dur.fromDDots(note.duration.value, note.duration.dots) != 0) {
        msg = kInvalid;
        return -1;
    }
    rec.dur = dur;

    const std::string_view marks = note.marks;
    rec.tie = 0;
    if (tieOpen_) {
        if (!lastPitch_ || !note.pitch.isEqualTo(*lastPitch_)) {
            msg = "Different pitches in a tie";
            return -1;
        }
        rec.tie |= 1;
    }
    const bool tieStart = hasMark(marks, '[');
    const bool tieEnd = hasMark(marks, ']');
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
    const bool slurStart = hasMark(marks, '(');
    const bool slurEnd = hasMark(marks, ')');
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
    if (hasMark(marks, '\'')) {
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
    rec.noteCharNum = charOffset;
    rec.noteStrLen = charLen;
    lastPitch_ = note.pitch;
    return index;
}

} // namespace notaro
