// The score parser on any bytes, read as the programs read a score file (readScoreFile: decoded
// from UTF-8 or Windows-1252 with CR LF line ends), then parsed; the editor's colouring reads
// every line too.
#include "base/TextUtil.h"
#include "score/MetaComment.h"
#include "score/ScoreEncoding.h"
#include "score/ScoreFile.h"
#include "score/ScoreTokens.h"
#include "score/cTParse.h"
#include "tests/fuzz/FuzzSupport.h"

#include <optional>
#include <vector>

using namespace notaro;
using fuzz::require;

namespace {

void checkColouring(const std::vector<std::string_view>& lines) {
    auto place = tokens::LinePlace::BeforeHeader;
    for (std::string_view line : lines) {
        uint32_t byteEnd = 0;
        int32_t charEnd = 0;
        for (const tokens::TokenSpan& span : tokens::scanLine(line, place)) {
            require(span.byteStart >= byteEnd && span.start >= charEnd,
                    "coloured spans are in order and do not overlap");
            byteEnd = span.byteStart + span.byteLength;
            charEnd = span.start + span.length;
            require(span.length > 0 && span.byteLength > 0, "a coloured span is not empty");
        }
        require(byteEnd <= line.size() && charEnd <= text::charCount(line),
                "coloured spans stay inside their line");
    }
}

void queryRecords(const cTParse& parser) {
    const int32_t n = parser.nNotes();
    const bool solfege = parser.namingSystem() == tokens::NamingSystem::Solfege;
    // The note queries answer for notes and rests; tempo and instrument records sit between them.
    int32_t runStart = 0;
    for (int32_t i = 0; i <= n; ++i) {
        if (i < n && !parser.theNotes(i).isDirective()) {
            require(!parser.noteToStr(i, solfege, true).empty(), "every note has a text");
            // Each count walks its chain: only the first notes, to keep an input linear.
            if (i < 64)
                require(parser.numNoteParts(i) >= 1, "a note is at least one part");
            continue;
        }
        std::optional<cDuration> run;
        if (parser.interNoteDur(runStart, i, run) == SumResult::Ok)
            require(run.has_value() && !run->isNeg(), "notes last no negative time");
        parser.numSeparateNotes(runStart, i - runStart);
        runStart = i + 1;
    }
    parser.getPrevQNPM(n);
    parser.getPrevInstrument(n);
}

/// Characters [column, column + length) of a line, its tabs read as blanks as the parser does.
std::string charsOf(std::string_view line, int32_t column, int32_t length) {
    std::string out;
    int32_t at = -1;
    for (const char c : line) {
        at += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        if (at >= column && at < column + length)
            out += c == '\t' ? ' ' : c;
    }
    return out;
}

/// The parser's meta comments are exactly those that the MIDI converter reads from the
/// records' comment lines, and each one's place in its line holds its text.
void checkMetaComments(const cTParse& parser, const std::vector<std::string_view>& lines) {
    std::vector<std::string> expected, listed;
    auto read = [&](const std::string& comments, int32_t record) {
        for (std::string_view line : text::splitCrLfLines(comments)) {
            int32_t type = 0;
            std::string metaText;
            if (parseMetaComment(line, type, metaText))
                expected.push_back(std::to_string(record) + " " + std::to_string(type) + metaText);
        }
    };
    for (int32_t i = 0; i < parser.nNotes(); ++i)
        read(parser.theNotes(i).preCommentLines, i);
    read(parser.finalCommentLines(), MetaCommentUse::kAfterLastRecord);
    for (const MetaCommentUse& use : parser.metaComments()) {
        const MetaComment& m = parser.metaCommentLines().at(static_cast<size_t>(use.comment));
        listed.push_back(std::to_string(use.beforeRecord) + " " + std::to_string(m.type) + m.text);
    }
    require(listed == expected, "the parser lists the meta comments the converter reads");
    for (const MetaComment& m : parser.metaCommentLines()) {
        require(m.line >= 1 && static_cast<size_t>(m.line) <= lines.size(),
                "a meta comment names a line of the score");
        const std::string_view line = lines[static_cast<size_t>(m.line - 1)];
        require(m.column >= 0 && m.length >= 0 && m.column + m.length <= text::charCount(line) &&
                    charsOf(line, m.column, m.length) == m.text,
                "a meta comment's place in its line holds its text");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::MemoryFile file;
    file.assign(fuzz::bytesOf(data, size));
    const ScoreFileResult read = readScoreFile(file.path(), kToolScoreLimit);
    require(read.status == ScoreFileStatus::Read, "a score file within the limit reads");
    const std::string& text = read.text;
    require(encoding::isValidUtf8(text), "a decoded score is UTF-8");
    const std::vector<std::string_view> lines = text::splitCrLfLines(text);
    for (std::string_view line : lines)
        require(line.find_first_of("\r\n") == std::string_view::npos,
                "a decoded score ends every line with CR LF");

    cTParse parser;
    const ParseError error = parser.parseAramText(text);
    if (error.ok()) {
        require(error.line == 0 && error.message.empty(), "success reports no error");
        queryRecords(parser);
        checkMetaComments(parser, lines);
    } else {
        const int32_t line = error.line;
        require(line >= 1 && static_cast<size_t>(line) <= lines.size(),
                "an error names a line of the score");
        require(!error.message.empty(), "an error says what is wrong");
        require(error.length == -1 ||
                    (error.length > 0 && error.column >= 0 &&
                     error.column + error.length <= text::charCount(lines[line - 1])),
                "an error marks characters of its own line");
    }
    checkColouring(lines);
    return 0;
}
