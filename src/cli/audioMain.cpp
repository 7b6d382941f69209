// notaro-cli-audio: the commands of notaro-cli that sound, started by notaro-cli itself.
#include "cli/PlaybackCommands.h"
#include "cli/RenderCommand.h"
#include "cli/Usage.h"
#include "playback/FluidSynthEngine.h"

#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
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
    if (it->first == "play") {
        // Once the last note has ended the output is silent and paused: the process ends at
        // once and leaves the synthesizer, its SoundFont and the server connection to the
        // kernel, which frees them faster than the synthesizer's own teardown.
        const auto engine = std::make_shared<notaro::playback::FluidSynthEngine>();
        const int status = exitStatus(runPlayThrough(args, std::cout, std::cerr, engine));
        std::cout.flush();
        std::cerr.flush();
        std::_Exit(status);
    }
    return exitStatus(it->second(args, std::cout, std::cerr));
}
