#pragma once

#include <string>

namespace notaro {
class cTParse;
}

namespace notaro::interchange {

/// A parsed score as a MusicXML 4.0 partwise document with one part. Measures follow the
/// score's "|" bars; when the bars (but a pickup and the last) are all one length it becomes
/// the time signature, otherwise the measures go without one (senza misura). The divisions
/// make every length whole, tuplet values included (with their time modification). Ties,
/// slurs, staccato, quarter-tone alterations, tempo (metronome and sound), the instrument
/// (and changes of it) and the title and rights from the meta comments are written.
/// text: the score text the parser read, for the bar lines between its notes.
/// Throws InterchangeError (TooFine) when the lengths need more divisions than a reader counts.
std::string musicXmlText(const cTParse& parser, const std::string& text);

/// Writes musicXmlText to path through an atomic replacement. Throws InterchangeError
/// (TooFine, NotWritten).
void writeMusicXmlFile(const std::string& path, const cTParse& parser, const std::string& text);

} // namespace notaro::interchange
