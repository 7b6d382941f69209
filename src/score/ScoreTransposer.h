#pragma once

#include "score/Transposition.h"

#include <string_view>

namespace notaro {

/// Moves the notes of a score text, or of a selection of it (see TranspositionScope for
/// which notes a selection moves), by semitones or quarter tones.
///
/// Only the pitch of each note token is rewritten, in the naming system of the header, with
/// the octave letters and the accidentals of transpose::spelledPitch; note values, dots, tie,
/// slur and staccato marks, blanks, comments and directives keep every character. A natural
/// sign written in a note stays when the new pitch is natural, and one is added where the
/// characters after the pitch would otherwise be read as part of it.
///
/// Refused, changing nothing: steps outside -24..+24, a score that does not parse, a note that
/// would leave the range the score can write (the first such note in the text is named by its
/// line, column and text), and a definition played both inside and outside the selection.
/// The result is read back before it is returned: it parses, and its records are the old ones
/// with exactly the notes of the scope moved.
TransposeResult transposeScore(std::string_view text, const TransposeRequest& request);

} // namespace notaro
