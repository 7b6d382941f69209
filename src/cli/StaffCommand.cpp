#include "cli/StaffCommand.h"

#include "base/AtomicFile.h"
#include "cli/CommandArgs.h"
#include "cli/ScoreDocument.h"
#include "cli/Usage.h"
#include "interchange/AbcEngraver.h"

#include <cstring>

namespace notaro::cli {

namespace {

bool endsWith(const std::string& text, const char* end) {
    const size_t n = std::strlen(end);
    if (text.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - n + i])) != end[i])
            return false;
    return true;
}

} // namespace

ExitCode runStaff(const std::vector<std::string>& args, std::ostream&, std::ostream& err,
                  const std::function<ExitCode(const std::string&, const std::string&)>& pdf) {
    std::string path, outPath;
    if (!parseCommandArgs(args, {{{"-o", "--output"}, &outPath}}, path) || outPath.empty() ||
        !(endsWith(outPath, ".svg") || endsWith(outPath, ".pdf")))
        return usageError(err);
    ScoreDocument doc;
    if (doc.load(path, err) != ExitCode::Done)
        return ExitCode::Failed;
    if (endsWith(outPath, ".pdf"))
        return pdf(path, outPath);
    const interchange::StaffEngraving e =
        interchange::engraveAbc(interchange::writeAbcTune(doc.parser(), doc.text()), {});
    if (e.status == interchange::EngraveStatus::Missing) {
        err << "The staff needs the program abcm2ps: install the Debian package "
            << interchange::kEngraverPackage << ".\n";
        return ExitCode::Failed;
    }
    if (e.status != interchange::EngraveStatus::Done ||
        base::writeFileAtomically(outPath, interchange::stackedStaffSvg(e.pages)) != 0) {
        err << outPath << ": Failed to export the staff.\n";
        return ExitCode::Failed;
    }
    return ExitCode::Done;
}

} // namespace notaro::cli
