#include "cli/ExitCodes.h"

#include "base/ResultCodeText.h"

namespace notaro::cli {

std::ostream& operator<<(std::ostream& os, ExitCode c) {
    static const std::pair<ExitCode, const char*> kNames[] = {
        {ExitCode::Done, "Done"},
        {ExitCode::Failed, "Failed"},
        {ExitCode::Usage, "Usage"},
        {ExitCode::Interrupted, "Interrupted"}};
    return base::writeResultCode(os, c, kNames);
}

} // namespace notaro::cli
