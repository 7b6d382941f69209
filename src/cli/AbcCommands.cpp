#include "cli/AbcCommands.h"

#include "base/AtomicFile.h"
#include "cli/CommandArgs.h"
#include "cli/ScoreDocument.h"
#include "cli/Usage.h"
#include "interchange/AbcWriter.h"

#include <cstring>

namespace notaro::cli {

ExitCode runAbc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path, outPath;
    if (!parseCommandArgs(args, {{{"-o", "--output"}, &outPath}}, path))
        return usageError(err);
    ScoreDocument doc;
    if (doc.load(path, err) != ExitCode::Done)
        return ExitCode::Failed;
    const interchange::AbcTune tune = interchange::writeAbcTune(doc.parser(), doc.text());
    if (outPath.empty()) {
        out << tune.text;
        return ExitCode::Done;
    }
    if (const int32_t error = base::writeFileAtomically(outPath, tune.text)) {
        err << outPath << ": Failed to save as ABC: " << std::strerror(error) << ".\n";
        return ExitCode::Failed;
    }
    return ExitCode::Done;
}

} // namespace notaro::cli
