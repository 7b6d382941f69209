// notaro-cli: check, list and convert score files from the command line. The commands that
// sound (devices, play, render) live in notaro-cli-audio beside it, so that the synthesizer
// and its many libraries are loaded only when something is to be heard.
#include "cli/AbcCommands.h"
#include "cli/ExitCodes.h"
#include "cli/InterchangeCommands.h"
#include "cli/ScoreCommands.h"
#include "cli/StaffCommand.h"
#include "cli/TransposeCommand.h"
#include "cli/Usage.h"
#include "cli/dumpCommand.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

/// The folder of this executable, with a final "/".
std::string ownFolder() {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "";
    const std::string self(path, static_cast<size_t>(n));
    return self.substr(0, self.find_last_of('/') + 1);
}

/// Runs a program of this folder in this process's place; returns only when it cannot.
notaro::cli::ExitCode runSibling(const char* name, char** argv) {
    const std::string program = ownFolder() + name;
    ::execv(program.c_str(), argv);
    std::cerr << "notaro-cli: cannot run " << program << ": " << std::strerror(errno) << "\n";
    return notaro::cli::ExitCode::Failed;
}

notaro::cli::ExitCode runAudioCommand(char** argv) {
    return runSibling("notaro-cli-audio", argv);
}

} // namespace

int main(int argc, char** argv) {
    using namespace notaro::cli;
    using Command = ExitCode (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);
    const std::map<std::string, Command> commands = {
        {"check", runCheck},
        {"notes", runNotes},
        {"midi", runMidi},
        {"abc", runAbc},
        {"staff",
         [](const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
             return runStaff(args, out, err, [](const std::string& score, const std::string& pdf) {
                 std::string program = "notaro-cli-staff";
                 char* helperArgv[] = {program.data(), const_cast<char*>(score.c_str()),
                                       const_cast<char*>(pdf.c_str()), nullptr};
                 return runSibling("notaro-cli-staff", helperArgv);
             });
         }},
        {"import", runImport},
        {"musicxml", runMusicXml},
        {"transpose", runTranspose},
        {"dump",
         [](const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
             if (args.size() != 1 || args[0].empty() || args[0][0] == '-')
                 return usageError(err);
             return runDump(args[0], out, err);
         }},
    };
    if (argc < 2)
        return exitStatus(usageError(std::cerr));
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::cout << usageText();
        return exitStatus(ExitCode::Done);
    }
    if (name == "devices" || name == "play" || name == "render")
        return exitStatus(runAudioCommand(argv));
    const auto it = commands.find(name);
    if (it == commands.end())
        return exitStatus(usageError(std::cerr));
    const std::vector<std::string> args(argv + 2, argv + argc);
    return exitStatus(it->second(args, std::cout, std::cerr));
}
