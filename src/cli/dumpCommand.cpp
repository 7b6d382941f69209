#include "cli/dumpCommand.h"

#include "base/ReadOnlyFile.h"
#include "cli/ExitCodes.h"
#include "midi/MidiResult.h"
#include "midi/tMidiF04.h"

using notaro::MidiResult;
using notaro::tMidiF04;
using notaro::tMidiTrk;

namespace {

// The dump's lines end in CR LF; a terminal wants LF alone.
void writeWithLfLineEnds(std::ostream& out, const std::string& text) {
    size_t start = 0;
    for (size_t cr = text.find("\r\n"); cr != std::string::npos; cr = text.find("\r\n", start)) {
        out.write(text.data() + start, static_cast<std::streamsize>(cr - start));
        start = cr + 1;
    }
    out.write(text.data() + start, static_cast<std::streamsize>(text.size() - start));
}

// Only what was read from the file is shown: nothing when the header is incomplete, and only
// the tracks whose chunks were reached. Long tracks go out in pieces, so the dump of a large
// file never needs its whole text in memory.
void writeDump(const tMidiF04& file, std::ostream& out) {
    if (!file.headerWasRead()) {
        return;
    }
    writeWithLfLineEnds(out, file.headerText());
    std::string piece;
    for (int32_t t = 0; t < file.tracksReached(); ++t) {
        piece = tMidiF04::trackHeadingText(t);
        const tMidiTrk& track = *file.tracks(t);
        for (int32_t i = 0; i < track.trkNEvents(); ++i) {
            track.appendEventLine(piece, i);
            if (piece.size() >= 64 * 1024) {
                writeWithLfLineEnds(out, piece);
                piece.clear();
            }
        }
        writeWithLfLineEnds(out, piece);
    }
}

} // namespace

notaro::cli::ExitCode runDump(const std::string& path, std::ostream& out, std::ostream& err) {
    tMidiF04 midiFile;
    notaro::base::ReadOnlyFile file(path);
    const MidiResult result = midiFile.readMidiFile(file);
    writeDump(midiFile, out);
    out.flush();
    if (result != MidiResult::Ok) {
        // A folder, a pipe or a device is named for what it is.
        err << path << ": cannot read MIDI file: "
            << (result == MidiResult::NotARegularFile
                    ? std::string("it is ") + notaro::base::fileKindWords(file.kind())
                    : std::string(notaro::resultText(result)))
            << " (code " << notaro::code(result) << ")\n";
        return notaro::cli::ExitCode::Failed;
    }
    return notaro::cli::ExitCode::Done;
}
