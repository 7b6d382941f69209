#include "cli/ScoreCommands.h"

#include "cli/CommandArgs.h"
#include "cli/ExitCodes.h"
#include "cli/ScoreDocument.h"
#include "cli/Usage.h"
#include "midi/ScoreToMidi.h"
#include "settings/OnRatios.h"

#include <optional>

namespace notaro::cli {

ExitCode runCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-')
        return usageError(err);
    ScoreDocument doc;
    if (doc.load(args[0], err) != ExitCode::Done)
        return ExitCode::Failed;
    out << "The syntax is correct\n";
    return ExitCode::Done;
}

ExitCode runNotes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool lineNumbers = false;
    std::optional<tokens::NamingSystem> naming; // none: the header's
    std::string path;
    for (const std::string& a : args) {
        if (a == "--line-numbers")
            lineNumbers = true;
        else if (a == "--solfege")
            naming = tokens::NamingSystem::Solfege;
        else if (a == "--letters")
            naming = tokens::NamingSystem::LetterNames;
        else if (!a.empty() && a[0] != '-' && path.empty())
            path = a;
        else
            return usageError(err);
    }
    if (path.empty())
        return usageError(err);
    ScoreDocument doc;
    if (doc.load(path, err) != ExitCode::Done)
        return ExitCode::Failed;
    const cTParse& p = doc.parser();
    const bool bIsDoRe = naming.value_or(p.namingSystem()) == tokens::NamingSystem::Solfege;
    for (int32_t i = 0; i < p.nNotes(); ++i) {
        const cGnsNote& rec = p.theNotes(i);
        if (rec.eventType == cGnsNote::kNote) {
            out << p.noteToStr(i, bIsDoRe, lineNumbers) << '\n';
            continue;
        }
        if (lineNumbers)
            out << 'L' << rec.noteLineNum << ' ';
        out << (rec.eventType == cGnsNote::kTempo ? "*t[" : "*i[") << rec.xVal << "]\n";
    }
    return ExitCode::Done;
}

std::string defaultMidiPath(const std::string& scorePath) {
    const size_t slash = scorePath.find_last_of('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = scorePath.find_last_of('.');
    // A dot in a folder name, or a name that starts with its only dot, is no extension.
    if (dot == std::string::npos || dot <= nameStart)
        return scorePath + ".mid";
    return scorePath.substr(0, dot) + ".mid";
}

ExitCode runMidi(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    std::string path, outPath;
    int32_t instrument = -1;
    if (!parseCommandArgs(
            args,
            {{{"-o", "--output"}, &outPath}, {{"--instrument"}, nullptr, &instrument, 0, 127}},
            path))
        return usageError(err);
    ScoreDocument doc;
    if (doc.load(path, err) != ExitCode::Done)
        return ExitCode::Failed;
    // A damaged settings file still leaves usable ratios; converting goes on with them.
    ScoreMidiOptions options;
    options.instrument = instrument;
    for (const std::string& problem : loadOnRatios(options.ratios))
        err << problem << '\n';
    if (outPath.empty())
        outPath = defaultMidiPath(path);
    if (scoreToMidiFile(outPath, doc.parser(), options) != MidiResult::Ok) {
        err << "Failed to save as Midi.\n";
        return ExitCode::Failed;
    }
    return ExitCode::Done;
}

} // namespace notaro::cli
