#include "cli/ScoreDocument.h"

#include "base/TextUtil.h"
#include "cli/ExitCodes.h"
#include "score/ScoreFile.h"

#include <cctype>
#include <cstring>
#include <utility>

namespace notaro::cli {

namespace {

/// Line n (1-based) of a CR LF text with tabs shown as blanks, as the parser saw it.
std::string sourceLine(const std::string& text, int32_t n) {
    size_t start = 0;
    for (int32_t i = 1; i < n; ++i) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            return {};
        start = end + 2;
    }
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos)
        end = text.size();
    std::string line = text.substr(start, end - start);
    for (char& c : line)
        if (c == '\t')
            c = ' ';
    return line;
}

std::string marker(int32_t column, int32_t length) {
    if (length <= 0)
        return {};
    return std::string(static_cast<size_t>(column), ' ') + "^" +
           std::string(static_cast<size_t>(length - 1), '~');
}

/// Why a score file was not read, in words that follow "Cannot open the file: ".
std::string failureWords(const ScoreFileResult& file) {
    switch (file.status) {
    case ScoreFileStatus::NotAFile:
        return std::string("it is ") + base::fileKindWords(file.kind);
    case ScoreFileStatus::TooLong:
        return "it is larger than " + std::to_string(kToolScoreLimit.bytes >> 20) +
               " MiB, the most a score file may hold";
    case ScoreFileStatus::CannotOpen:
    case ScoreFileStatus::Read:
        break;
    }
    // The system's words, begun in lower case as the other reasons are.
    std::string words = std::strerror(file.error);
    if (!words.empty())
        words[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(words[0])));
    return words;
}

} // namespace

ExitCode ScoreDocument::load(const std::string& path, std::ostream& err) {
    ScoreFileResult file = readScoreFile(path, kToolScoreLimit);
    if (file.status != ScoreFileStatus::Read) {
        err << path << ": Cannot open the file: " << failureWords(file) << ".\n";
        return ExitCode::Failed;
    }
    text_ = std::move(file.text);
    const ParseError error = parser_.parseAramText(text_);
    if (error.ok())
        return ExitCode::Done;
    reportError(path, error, err);
    return ExitCode::Failed;
}

void ScoreDocument::reportError(const std::string& path, const ParseError& error,
                                std::ostream& err) const {
    if (error.line <= 0) {
        // The parser failed before it reached any line (memory ran out).
        err << path << ": Error: " << error.message << '\n';
        return;
    }
    err << path << ':' << error.line;
    if (error.marksToken())
        err << ':' << (error.column + 1);
    err << ": Error: " << error.message << '\n';
    const std::string source = sourceLine(text_, error.line);
    if (text::trimBlanks(source).empty())
        return;
    err << source << '\n';
    if (error.marksToken()) {
        err << marker(error.column, error.length) << '\n';
    } else {
        // Not tied to one note: mark the whole line, as the editor selects it.
        const std::string_view trimmed = text::trimBlanks(source);
        const int32_t lead =
            text::charCount(std::string_view(source).substr(0, source.find_first_not_of(' ')));
        err << marker(lead, text::charCount(trimmed)) << '\n';
    }
}

} // namespace notaro::cli
