#pragma once

#include "cli/ExitCodes.h"
#include "score/cTParse.h"

#include <ostream>
#include <string>

namespace notaro::cli {

/// A score file read from disk and parsed, with the error (if any) reported the way a
/// compiler reports one: FILE:LINE:COLUMN, the source line, and a marker under the fault.
class ScoreDocument {
public:
    /// Reads (readScoreFile, at most kToolScoreLimit) and parses path; on failure writes the
    /// report to err: "FILE: Cannot open the file: REASON." when it was not read, REASON saying
    /// what the path is ("it is a folder"), that it is too large, or the system's error.
    /// @return ExitCode::Done when the file parsed, ExitCode::Failed when it could not be read
    ///         or has an error.
    ExitCode load(const std::string& path, std::ostream& err);

    const cTParse& parser() const { return parser_; }
    const std::string& text() const { return text_; }
    /// Writes an error in this document to err the way load reports a score error.
    void reportError(const std::string& path, const ParseError& error, std::ostream& err) const;

private:
    cTParse parser_;
    std::string text_;
};

} // namespace notaro::cli
