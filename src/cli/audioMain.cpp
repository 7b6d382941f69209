// notaro-cli-audio: the commands of notaro-cli that sound, started by notaro-cli itself.
#include "cli/PlaybackCommands.h"
#include "cli/RenderCommand.h"
#include "cli/Usage.h"

#include <iostream>
#include <map>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace notaro::cli;
    using Command = ExitCode (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);
    const std::map<std::string, Command> commands = {
        {"devices", runDevices},
        {"play", runPlay},
        {"render", runRender},
    };
    if (argc < 2)
        return exitStatus(usageError(std::cerr));
    const auto it = commands.find(argv[1]);
    if (it == commands.end())
        return exitStatus(usageError(std::cerr));
    const std::vector<std::string> args(argv + 2, argv + argc);
    return exitStatus(it->second(args, std::cout, std::cerr));
}
