#include "cli/TransposeCommand.h"

#include "base/AtomicFile.h"
#include "cli/CommandArgs.h"
#include "cli/ScoreDocument.h"
#include "cli/Usage.h"
#include "score/ScoreTransposer.h"

#include <cstring>
#include <optional>

namespace notaro::cli {

namespace {

/// A number of steps, with an optional "+" (people write "+5" for up).
std::optional<int32_t> readSteps(const std::string& text) {
    int32_t n = 0;
    const bool plus = !text.empty() && text[0] == '+';
    if (!readWholeNumber(plus ? text.substr(1) : text, n) || (plus && text[1] == '-') ||
        n < -TransposeRequest::kMaxSteps || n > TransposeRequest::kMaxSteps)
        return std::nullopt;
    return n;
}

/// Reads the arguments; false when they are not understood.
bool readArgs(const std::vector<std::string>& args, TransposeRequest& request, std::string& path,
              std::string& outPath) {
    std::optional<int32_t> quarterTones;
    std::vector<std::string> plain;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--flats") {
            request.flats = true;
        } else if ((a == "-o" || a == "--output") && hasValue && !args[i + 1].empty()) {
            outPath = args[++i];
        } else if (a == "--quarter-tones" && hasValue && !quarterTones) {
            quarterTones = readSteps(args[++i]);
            if (!quarterTones)
                return false;
        } else if (readSteps(a) || (!a.empty() && a[0] != '-')) {
            // A negative number of steps begins with "-" as an option does.
            plain.push_back(a);
        } else {
            return false;
        }
    }
    if (plain.size() != (quarterTones ? 1u : 2u))
        return false;
    path = plain.back();
    request.quarterTones = quarterTones.has_value();
    const std::optional<int32_t> steps = quarterTones ? quarterTones : readSteps(plain.front());
    if (!steps)
        return false;
    request.steps = *steps;
    return true;
}

} // namespace

ExitCode runTranspose(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    TransposeRequest request;
    std::string path, outPath;
    if (!readArgs(args, request, path, outPath))
        return usageError(err);
    ScoreDocument doc;
    if (doc.load(path, err) != ExitCode::Done)
        return ExitCode::Failed;
    const TransposeResult result = transposeScore(doc.text(), request);
    if (!result.ok()) {
        const TransposeRefusal& refusal = *result.refusal;
        doc.reportError(path,
                        ParseError{refusal.line, refusal.column, refusal.length,
                                   ParseErrorCode::Syntax, refusal.message},
                        err);
        return ExitCode::Failed;
    }
    if (outPath.empty()) {
        out << result.text;
    } else if (const int32_t error = base::writeFileAtomically(outPath, result.text)) {
        err << outPath << ": cannot write the score: " << std::strerror(error) << ".\n";
        return ExitCode::Failed;
    }
    return ExitCode::Done;
}

} // namespace notaro::cli
