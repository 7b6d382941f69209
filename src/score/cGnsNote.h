#pragma once

#include "score/CommentLines.h"
#include "score/cDuration.h"
#include "score/cNotePAO.h"

#include <cstdint>
#include <optional>
#include <string>

namespace notaro {

/// One parsed record: a note, a rest, a tempo directive or an instrument directive.
class cGnsNote {
public:
    static constexpr int32_t kNote = 0;
    static constexpr int32_t kTempo = 1;
    static constexpr int32_t kInstrument = 2;

    /// 0 note or rest, 1 tempo directive, 2 instrument directive.
    int32_t eventType = kNote;
    /// The pitch; a rest has pitch 255. Absent for directives.
    std::optional<cNotePAO> notePao;
    /// Length in whole notes. Absent for directives.
    std::optional<cDuration> dur;
    /// The bits of tie and slur: the bow comes from the previous note, and goes on to the next.
    static constexpr uint8_t kBowFromPrevious = 1;
    static constexpr uint8_t kBowToNext = 2;

    /// kBowFromPrevious: continues a tie from the previous note; kBowToNext: tied to the next.
    uint8_t tie = 0;
    /// kBowFromPrevious: inside a slur begun earlier; kBowToNext: the slur goes on.
    uint8_t slur = 0;
    /// 0 normal, 1 staccato.
    uint8_t staccatoLevel = 0;
    /// Text line that produced the record (for expanded definitions, the top-level use line).
    int32_t lineNum = 0;
    /// Text line that holds the record's own text.
    int32_t noteLineNum = 0;
    /// Character offset of the token in line noteLineNum; 0 for directives.
    int32_t noteCharNum = 0;
    /// Length of the token in characters; 0 for directives.
    int32_t noteStrLen = 0;
    /// Comment lines between the previous record and this one, joined by CR LF.
    CommentLines preCommentLines;
    /// Tempo in quarter notes per minute, or General MIDI program; 0 for notes and rests.
    int32_t xVal = 0;
    /// A slot for the caller's own use, not owned by the record; the parser leaves it null.
    /// A plain pointer keeps records small: scores can hold millions of them.
    void* xObj = nullptr;

    bool isDirective() const noexcept { return eventType != kNote; }
    bool isRest() const noexcept { return notePao && notePao->isRest(); }
};

} // namespace notaro
