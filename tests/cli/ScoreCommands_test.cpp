#include "cli/ScoreCommands.h"
#include "tests/cli/CliTestSupport.h"
#include "tests/common/CommandOutput.h"

#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace notaro::cli;
using ScoreCommands = notaro::testing::CliTest;
using notaro::testing::commandOutput;

// The exit statuses scripts rely on.
static_assert(exitStatus(ExitCode::Done) == 0 && exitStatus(ExitCode::Failed) == 1 &&
              exitStatus(ExitCode::Usage) == 2 && exitStatus(ExitCode::Interrupted) == 130);

TEST_F(ScoreCommands, CheckAndNotesReportTheFirstErrorWithLineColumnAndMarker) {
    // Score text, command, then what err shows after "FILE:" ("" = correct).
    const std::tuple<const char*, decltype(&runCheck), const char*> cases[] = {
        {"**n[a-b-c]\n4c 4d\n", runCheck, ""},
        {"**n[a-b-c]\n4c\t4d( 4é 4x\n", runCheck,
         "2:8: Error: Invalid note/rest\n4c 4d( 4é 4x\n       ^~\n"},
        {"**n[a-b-c]\n  *t[fäst]\n", runCheck,
         "2: Error: Incorrect tempo\n  *t[fäst]\n  ^~~~~~~~\n"},
        {"", runCheck, "1: Error: Empty text\n"},
        {"**n[a-b-c]\n4c[ 4d]\n", runNotes,
         "2:5: Error: Different pitches in a tie\n4c[ 4d]\n    ^~~\n"},
    };
    for (const auto& [text, command, error] : cases) {
        const std::string f = put("t.NTR", text);
        EXPECT_EQ(run(command, {f}), *error ? ExitCode::Failed : ExitCode::Done) << text;
        EXPECT_EQ(err_.str(), *error ? f + ":" + error : "");
        EXPECT_EQ(out_.str(), *error || command != runCheck ? "" : "The syntax is correct\n");
    }
}

TEST_F(ScoreCommands, MissingFileAndUsage) {
    EXPECT_EQ(run(runCheck, {path("nope.NTR")}), ExitCode::Failed);
    EXPECT_EQ(err_.str(),
              path("nope.NTR") + ": Cannot open the file: no such file or directory.\n");
    EXPECT_EQ(run(runCheck, {}), ExitCode::Usage);
    EXPECT_NE(err_.str().find("usage: notaro-cli check FILE"), std::string::npos);
    EXPECT_EQ(run(runCheck, {"a", "b"}), ExitCode::Usage);
    EXPECT_EQ(run(runNotes, {"--bogus", "a"}), ExitCode::Usage);
    EXPECT_EQ(run(runMidi, {"-o", "", "a"}), ExitCode::Usage);
}

TEST_F(ScoreCommands, AFolderAPipeOrADeviceIsRefusedAtOnceAndNamed) {
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    // The last: opened read-write, the FIFO waits for nobody, and the program's standard input
    // is a pipe whose writer never writes.
    const std::pair<std::string, std::string> paths[] = {
        {path("fifo"), "a pipe (FIFO)"},
        {dir_.string(), "a folder"},
        {"/dev/null", "a character device"},
        {"/dev/stdin <>" + path("fifo"), "a pipe (FIFO)"}};
    for (const char* command : {"check", "notes", "midi", "dump"}) {
        for (const auto& [argument, what] : paths) {
            const std::string shown = argument.substr(0, argument.find(' '));
            const std::string reason = std::string(command) == "dump"
                                           ? ": cannot read MIDI file: it is " + what + " (code 75)"
                                           : ": Cannot open the file: it is " + what + ".";
            // A hang is killed and shows as exit 137.
            EXPECT_EQ(commandOutput("timeout -s KILL 20 " NOTARO_BINARY_DIR "/bin/notaro-cli " +
                                    std::string(command) + " " + argument + " 2>&1; echo exit $?"),
                      shown + reason + "\nexit 1\n");
        }
    }
    // The tool has no character limit: a score of 40,000 notes checks.
    std::string longScore = "**n[a-b-c]\n";
    for (int i = 0; i < 10000; ++i)
        longScore += "4c 4d 4e 4f\n";
    EXPECT_EQ(run(runCheck, {put("long.NTR", longScore)}), ExitCode::Done);
}

TEST_F(ScoreCommands, NotesListsEveryRecord) {
    const std::string f = put("n.NTR", "**n[d-r-m]\n*t[90]\n4d 4r\n*i[40]\n");
    EXPECT_EQ(run(runNotes, {f}), ExitCode::Done);
    EXPECT_EQ(out_.str(), "*t[90]\n4d d=1/4\n4r d=1/4\n*i[40]\n");
    EXPECT_EQ(run(runNotes, {"--line-numbers", "--letters", f}), ExitCode::Done);
    EXPECT_EQ(out_.str(), "L2 *t[90]\nL3 4c d=1/4\nL3 4d d=1/4\nL4 *i[40]\n");
}

TEST(DefaultMidiPath, ReplacesOnlyTheFileNameExtension) {
    for (const auto& [score, midi] : {std::pair{"song.NTR", "song.mid"},
                                      {"dir/song.v2.txt", "dir/song.v2.mid"},
                                      {"my.scores/song", "my.scores/song.mid"},
                                      {"dir/.hidden", "dir/.hidden.mid"}})
        EXPECT_EQ(defaultMidiPath(score), midi);
}

TEST_F(ScoreCommands, MidiWritesBesideTheScoreOrWhereAsked) {
    const std::string f = put("tune.NTR", "**n[a-b-c]\n*i[40]\n4c 4d\n");
    EXPECT_EQ(run(runMidi, {f}), ExitCode::Done);
    EXPECT_EQ(out_.str() + err_.str(), "");
    const std::string bytes = readFile(path("tune.mid"));
    // The score's own instrument 40 is followed unless one is forced.
    EXPECT_NE(bytes.find(std::string("\xC0\x28", 2)), std::string::npos);
    EXPECT_EQ(run(runMidi, {"--instrument", "127", "-o", path("forced.mid"), f}), ExitCode::Done);
    const std::string forced = readFile(path("forced.mid"));
    EXPECT_NE(forced.find(std::string("\xC0\x7F", 2)), std::string::npos);
    EXPECT_EQ(forced.find(std::string("\xC0\x28", 2)), std::string::npos);

    EXPECT_EQ(run(runMidi, {"--instrument", "128", f}), ExitCode::Usage);
    const std::string bad = put("bad.NTR", "**n[a-b-c]\n4x\n");
    EXPECT_EQ(run(runMidi, {bad}), ExitCode::Failed);
    EXPECT_FALSE(fs::exists(path("bad.mid")));
}
