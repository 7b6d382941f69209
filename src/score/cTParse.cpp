#include "score/cTParse.h"

#include "base/TextUtil.h"
#include "score/FailureCode.h"

#include <cmath>

namespace notaro {

namespace {

constexpr std::string_view kCrLf = "\r\n";

/// The text strictly between the first "[" and the first "]" after it; "" when either is missing.
std::string_view bracketArg(std::string_view trimmed) {
    const size_t open = trimmed.find('[');
    if (open == std::string_view::npos)
        return {};
    const size_t close = trimmed.find(']', open + 1);
    if (close == std::string_view::npos)
        return {};
    return trimmed.substr(open + 1, close - open - 1);
}

} // namespace

cTParse::cTParse() {
    clear();
}

void cTParse::clear() {
    notes_.clear();
    preNotesDur.setND(0, 1);
    definitions_ = cGSpans();
    tieOpen_ = false;
    slurOpen_ = false;
    pendingComments_.clear();
    finalCommentLines_.clear();
    metaLines_.clear();
    metaUses_.clear();
    pendingMetaFrom_ = 0;
    metaOfLine_.clear();
    commentBytes_ = 0;
    expandedLines_ = 0;
    namingSystem_ = tokens::NamingSystem::LetterNames;
    defDepth_ = 0;
    curLine_ = 0;
    curNoteLine_ = 0;
}

void cTParse::splitLines(std::string_view dTxt) {
    // Tabs become blanks once here, so every character offset below matches the editor's.
    // A text without tabs is read where it lies: the lines are used only during the parse.
    std::string_view rest = dTxt;
    if (dTxt.find('\t') != std::string_view::npos) {
        text_.assign(dTxt);
        for (char& c : text_)
            if (c == '\t')
                c = ' ';
        rest = text_;
    } else {
        text_.clear();
    }
    textLines_ = text::splitCrLfLines(rest);
    nLines_ = static_cast<int32_t>(textLines_.size());
}

bool cTParse::readHeader(std::string_view line) {
    const std::optional<tokens::NamingSystem> naming = tokens::headerNamingSystem(line);
    if (!naming)
        return false;
    namingSystem_ = *naming;
    return true;
}

ParseError cTParse::parseAramText(std::string_view dTxt) {
    ParseError error;
    try {
        clear();
        error.line = parseLines(dTxt, error);
    } catch (const std::exception& e) {
        // Only what the lines' own guards leave (splitting the text, keeping comments) gets
        // here: memory ran out. It is reported on the line being read, 0 before the first,
        // after the partial records are dropped to give back memory for the message.
        const int32_t line = curLine_;
        clear();
        error = ParseError{line, 0, -1, ParseErrorCode::Internal,
                           "Unexpected error " + std::to_string(failureCode(e)) +
                               " while reading the score"};
    }
    // The steps name internal failures themselves; any other failure is the text's.
    if (error.line != 0 && error.code == ParseErrorCode::Ok)
        error.code = ParseErrorCode::Syntax;
    return error;
}

int32_t cTParse::parseLines(std::string_view dTxt, ParseError& error) {
    if (dTxt.empty()) {
        error.message = "Empty text";
        return 1; // the first line
    }
    splitLines(dTxt);

    int32_t header = 0;
    while (header < nLines_ && !tokens::isHeaderCandidate(textLines_[header]))
        ++header;
    if (header == nLines_) {
        error.message = "No header line";
        return nLines_;
    }
    curLine_ = header + 1;
    if (!readHeader(textLines_[header])) {
        error.message = "Incorrect header line";
        return curLine_;
    }

    for (int32_t i = header + 1; i < nLines_; ++i) {
        curLine_ = i + 1;
        curNoteLine_ = i + 1;
        const std::string_view line = textLines_[i];
        const tokens::LineInfo info = tokens::classifyBodyLine(line);
        bool ok = true;
        switch (info.kind) {
        case tokens::LineKind::Blank:
            break;
        case tokens::LineKind::DefStart:
            ok = openDefinition(i, info.name, error);
            if (ok)
                ++defDepth_;
            break;
        case tokens::LineKind::DefEnd:
            ok = closeDefinition(i, error);
            if (ok)
                --defDepth_;
            break;
        case tokens::LineKind::DefUse:
            if (defDepth_ == 0) {
                ok = expandDefinition(info.name, info.count, error);
                if (!ok) {
                    // Failures inside a definition are shown on the use line as a whole.
                    error.column = 0;
                    error.length = -1;
                }
            }
            break;
        default:
            if (defDepth_ == 0)
                ok = handleLine(line, info, error);
            break;
        }
        if (!ok)
            return curLine_;
    }

    curLine_ = nLines_;
    finalCommentLines_ = std::move(pendingComments_);
    pendingComments_.clear();
    if (tieOpen_) {
        error.message = "Reached end of file while a tie is not closed";
        return nLines_;
    }
    if (slurOpen_) {
        error.message = "Reached end of file while a slur is not closed";
        return nLines_;
    }
    return 0; // no line failed
}

bool cTParse::handleLine(std::string_view line, const tokens::LineInfo& info, ParseError& error) {
    if (info.kind == tokens::LineKind::Blank)
        return true;
    if (info.kind == tokens::LineKind::Comment)
        return addComment(line, info.trimmed, error);
    error.message.clear();
    try {
        return handleConstruct(line, info, error);
    } catch (const std::exception& e) {
        return failInternally(error, "Unexpected error " + std::to_string(failureCode(e)) +
                                         " while processing an Amel field.");
    }
}

bool cTParse::failInternally(ParseError& error, std::string message) {
    error.column = 0;
    error.length = -1;
    error.code = ParseErrorCode::Internal;
    error.message = std::move(message);
    return false;
}

bool cTParse::handleConstruct(std::string_view line, const tokens::LineInfo& info,
                              ParseError& error) {
    switch (info.kind) {
    case tokens::LineKind::Tempo:
        if (readTempo(info.trimmed, error))
            return true;
        if (error.message.empty())
            error.message = "Incorrect tempo";
        return false;
    case tokens::LineKind::Instrument:
        if (readInstrument(info.trimmed, error))
            return true;
        if (error.message.empty())
            error.message = "Incorrect instrument";
        return false;
    case tokens::LineKind::Ignored:
        return true;
    case tokens::LineKind::Notes:
        return readNotesLine(line, error);
    default:
        // Unknown "*" lines, malformed definition lines and indented "=" lines.
        error.message = "Invalid construct";
        return false;
    }
}

bool cTParse::readTempo(std::string_view trimmed, ParseError& error) {
    float value = 0;
    if (!text::readNumber(bracketArg(trimmed), value))
        return false;
    if (!(value > 0.0f && value < 2147483648.0f) || std::trunc(value) != value)
        return false;
    return appendDirective(cGnsNote::kTempo, static_cast<int32_t>(value), error);
}

bool cTParse::readInstrument(std::string_view trimmed, ParseError& error) {
    int32_t value = 0;
    if (!text::isWholeNumber(bracketArg(trimmed), value) || value < 0 || value > 127)
        return false;
    return appendDirective(cGnsNote::kInstrument, value, error);
}

bool cTParse::appendDirective(int32_t eventType, int32_t value, ParseError& error) {
    const int32_t i = appendRecord(error);
    if (i < 0) {
        // A directive that cannot be stored is reported as an incorrect directive, except
        // at the record limit, whose own message says what to change.
        if (notes_.size() < kMaxRecords)
            error.message.clear();
        return false;
    }
    cGnsNote& rec = notes_[i];
    rec.eventType = eventType;
    rec.xVal = value;
    takePendingComments(i);
    rec.lineNum = curLine_;
    rec.noteLineNum = curNoteLine_;
    return true;
}

bool cTParse::addComment(std::string_view line, std::string_view trimmed, ParseError& error) {
    commentBytes_ += trimmed.size() + kCrLf.size();
    if (commentBytes_ > kMaxCommentBytes) {
        error.message = "Too many comment lines: the score would hold more than " +
                        std::to_string(kMaxCommentBytes >> 20) + " MB of comments";
        return false;
    }
    if (!pendingComments_.empty())
        pendingComments_ += kCrLf;
    pendingComments_ += trimmed;
    noteMetaComment(line, trimmed);
    return true;
}

void cTParse::noteMetaComment(std::string_view line, std::string_view trimmed) {
    constexpr int32_t kUnread = -2, kNotMeta = -1;
    if (metaOfLine_.empty())
        metaOfLine_.assign(static_cast<size_t>(nLines_), kUnread);
    int32_t& known = metaOfLine_[static_cast<size_t>(curNoteLine_ - 1)];
    if (known == kUnread) {
        MetaComment meta;
        std::string_view metaText;
        known = kNotMeta;
        if (readMetaComment(trimmed, meta.type, metaText)) {
            meta.text = metaText;
            meta.line = curNoteLine_;
            const auto before = static_cast<size_t>(metaText.data() - line.data());
            meta.column = text::charCount(line.substr(0, before));
            meta.length = text::charCount(metaText);
            metaLines_.push_back(std::move(meta));
            known = static_cast<int32_t>(metaLines_.size()) - 1;
        }
    }
    if (known >= 0)
        metaUses_.push_back(MetaCommentUse{known, MetaCommentUse::kAfterLastRecord});
}

int32_t cTParse::appendRecord(ParseError& error) {
    const int32_t i = notes_.appendRecord(kMaxRecords);
    if (i < 0) {
        if (notes_.size() >= kMaxRecords) {
            error.message = "Too many notes: the score would make more than " +
                            std::to_string(kMaxRecords) + " notes, rests and directives";
        } else {
            error.message = "Out of memory";
            error.code = ParseErrorCode::Internal;
        }
    }
    return i;
}

void cTParse::takePendingComments(int32_t index) {
    if (!pendingComments_.empty()) {
        notes_[index].preCommentLines = std::move(pendingComments_);
        pendingComments_.clear();
    }
    for (; pendingMetaFrom_ < metaUses_.size(); ++pendingMetaFrom_)
        metaUses_[pendingMetaFrom_].beforeRecord = index;
}

} // namespace notaro
