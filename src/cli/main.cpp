// notaro-cli: check, list, convert and play score files from the command line.
#include "PlaybackCommands.h"
#include "RenderCommand.h"
#include "ScoreCommands.h"
#include "dumpCommand.h"
#include "Usage.h"

#include <iostream>
#include <map>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace notaro::cli;
    using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);
    const std::map<std::string, Command> commands = {
        {"check", runCheck},
        {"notes", runNotes},
        {"midi", runMidi},
        {"dump",
         [](const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
             if (args.size() != 1 || args[0].empty() || args[0][0] == '-')
                 return usageError(err);
             return runDump(args[0], out, err);
         }},
        {"devices", runDevices},
        {"play", runPlay},
        {"render", runRender},
    };
    if (argc < 2)
        return usageError(std::cerr);
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::cout << usageText();
        return 0;
    }
    const auto it = commands.find(name);
    if (it == commands.end())
        return usageError(std::cerr);
    const std::vector<std::string> args(argv + 2, argv + argc);
    return it->second(args, std::cout, std::cerr);
}
