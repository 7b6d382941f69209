#pragma once

#include "cli/ExitCodes.h"

#include "tests/settings/TempConfig.h"

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace notaro::testing {

/// A fresh folder for a command's files, which is also its settings folder.
class CliTest : public TempConfig {
protected:
    using Args = std::vector<std::string>;
    using Command = std::function<cli::ExitCode(const Args&, std::ostream&, std::ostream&)>;

    cli::ExitCode run(const Command& command, const Args& args) {
        out_.str("");
        err_.str("");
        return command(args, out_, err_);
    }
    std::string put(const std::string& name, const std::string& text) {
        writeFile(path(name), text);
        return path(name);
    }

    std::ostringstream out_, err_;
};

} // namespace notaro::testing
