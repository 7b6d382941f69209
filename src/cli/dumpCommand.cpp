#include "dumpCommand.h"

#include "tMidiF04.h"

namespace {

// The dump's lines end in CR LF; a terminal wants LF alone.
std::string withLfLineEnds(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

} // namespace

int runDump(const std::string& path, std::ostream& out, std::ostream& err) {
    tMidiF04 midiFile;
    const int32_t code = midiFile.readMidiFile(path);
    out << withLfLineEnds(midiFile.toText());
    out.flush();
    if (code != 0) {
        err << path << ": cannot read MIDI file (code " << code << ")\n";
        return 1;
    }
    return 0;
}
