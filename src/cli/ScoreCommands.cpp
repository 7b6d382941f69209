#include "ScoreCommands.h"

#include "ScoreDocument.h"
#include "Usage.h"

namespace notaro::cli {

int runCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-')
        return usageError(err);
    ScoreDocument doc;
    if (doc.load(args[0], err) != 0)
        return 1;
    out << "The syntax is correct\n";
    return 0;
}

int runNotes(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    bool lineNumbers = false;
    int naming = -1; // -1: the header's naming system
    std::string path;
    for (const std::string& a : args) {
        if (a == "--line-numbers")
            lineNumbers = true;
        else if (a == "--solfege")
            naming = 1;
        else if (a == "--letters")
            naming = 0;
        else if (!a.empty() && a[0] != '-' && path.empty())
            path = a;
        else
            return usageError(err);
    }
    if (path.empty())
        return usageError(err);
    ScoreDocument doc;
    if (doc.load(path, err) != 0)
        return 1;
    const cTParse& p = doc.parser();
    const bool bIsDoRe = (naming < 0 ? p.namingSystem() : naming) == 1;
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
    return 0;
}

} // namespace notaro::cli
