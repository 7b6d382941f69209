#include "cli/InterchangeCommands.h"

#include "base/AtomicFile.h"
#include "cli/CommandArgs.h"
#include "cli/ScoreCommands.h"
#include "cli/ScoreDocument.h"
#include "cli/Usage.h"
#include "interchange/InterchangeResult.h"
#include "interchange/MidiImport.h"
#include "interchange/MusicXmlWriter.h"

#include <cstring>

namespace notaro::cli {

ExitCode runImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string path, outPath;
    interchange::ImportOptions options;
    int32_t channel = 0;
    if (!parseCommandArgs(args,
                          {{{"-o", "--output"}, &outPath},
                           {{"--track"}, nullptr, &options.track, 0, 65535},
                           {{"--channel"}, nullptr, &channel, 1, 16},
                           {{"--grid"}, nullptr, &options.grid, 4, 64}},
                          path) ||
        (options.grid & (options.grid - 1)) != 0)
        return usageError(err);
    options.channel = channel - 1;
    try {
        const interchange::ImportResult result = interchange::importMelodyFile(path, options);
        if (outPath.empty()) {
            out << result.text;
        } else if (const int32_t rc = base::writeFileAtomically(outPath, result.text); rc != 0) {
            err << outPath << ": cannot write the score: " << std::strerror(rc) << ".\n";
            return ExitCode::Failed;
        }
        for (const std::string& line : interchange::reportLines(result.report))
            err << path << ": " << line << "\n";
        return ExitCode::Done;
    } catch (const interchange::InterchangeError& e) {
        err << path << ": cannot import: " << e.what() << ".\n";
        return ExitCode::Failed;
    }
}

ExitCode runMusicXml(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    std::string path, outPath;
    if (!parseCommandArgs(args, {{{"-o", "--output"}, &outPath}}, path))
        return usageError(err);
    ScoreDocument doc;
    if (doc.load(path, err) != ExitCode::Done)
        return ExitCode::Failed;
    if (outPath.empty()) {
        outPath = defaultMidiPath(path);
        outPath = outPath.substr(0, outPath.size() - 4) + ".musicxml";
    }
    try {
        interchange::writeMusicXmlFile(outPath, doc.parser(), doc.text());
    } catch (const interchange::InterchangeError& e) {
        err << outPath << ": cannot export: " << e.what() << ".\n";
        return ExitCode::Failed;
    }
    return ExitCode::Done;
}

} // namespace notaro::cli
