#include "cli/ScoreCommands.h"
#include "tests/cli/CliTestSupport.h"

namespace fs = std::filesystem;
using namespace notaro::cli;
using ScoreCommands = notaro::testing::CliTest;

TEST_F(ScoreCommands, CheckAndNotesReportTheFirstErrorWithLineColumnAndMarker) {
    // Score text, command, then what err shows after "FILE:" ("" = correct).
    const std::tuple<const char*, decltype(&runCheck), const char*> cases[] = {
        {"**n[a-b-c]\n4c 4d\n", runCheck, ""},
        {"**n[a-b-c]\n4c\t4d( 4é 4x\n", runCheck,
         "2:8: Error: Invalid note/rest\n4c 4d( 4é 4x\n       ^~\n"},
        {"**n[a-b-c]\n  *t[fast]\n", runCheck,
         "2: Error: Incorrect tempo\n  *t[fast]\n  ^~~~~~~~\n"},
        {"", runCheck, "1: Error: Empty text\n"},
        {"**n[a-b-c]\n4c[ 4d]\n", runNotes,
         "2:5: Error: Different pitches in a tie\n4c[ 4d]\n    ^~~\n"},
    };
    for (const auto& [text, command, error] : cases) {
        const std::string f = put("t.NTR", text);
        EXPECT_EQ(run(command, {f}), *error ? exitCode::kFailed : exitCode::kDone) << text;
        EXPECT_EQ(err_.str(), *error ? f + ":" + error : "");
        EXPECT_EQ(out_.str(), *error || command != runCheck ? "" : "The syntax is correct\n");
    }
}

TEST_F(ScoreCommands, MissingFileAndUsage) {
    for (const std::string& missing : {path("nope.NTR"), dir_.string()}) { // a folder is no score
        EXPECT_EQ(run(runCheck, {missing}), exitCode::kFailed);
        EXPECT_EQ(err_.str(), missing + ": Cannot open the file.\n");
    }
    EXPECT_EQ(run(runCheck, {}), exitCode::kUsage);
    EXPECT_NE(err_.str().find("usage: notaro-cli check FILE"), std::string::npos);
    EXPECT_EQ(run(runCheck, {"a", "b"}), exitCode::kUsage);
    EXPECT_EQ(run(runNotes, {"--bogus", "a"}), exitCode::kUsage);
}

TEST_F(ScoreCommands, NotesListsEveryRecord) {
    const std::string f = put("n.NTR", "**n[d-r-m]\n*t[90]\n4d 4r\n*i[40]\n");
    EXPECT_EQ(run(runNotes, {f}), exitCode::kDone);
    EXPECT_EQ(out_.str(), "*t[90]\n4d d=1/4\n4r d=1/4\n*i[40]\n");
    EXPECT_EQ(run(runNotes, {"--line-numbers", "--letters", f}), exitCode::kDone);
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
    EXPECT_EQ(run(runMidi, {f}), exitCode::kDone);
    EXPECT_EQ(out_.str() + err_.str(), "");
    const std::string bytes = readFile(path("tune.mid"));
    // The score's own instrument 40 is followed unless one is forced.
    EXPECT_NE(bytes.find(std::string("\xC0\x28", 2)), std::string::npos);
    EXPECT_EQ(run(runMidi, {"--instrument", "5", "-o", path("forced.mid"), f}), exitCode::kDone);
    const std::string forced = readFile(path("forced.mid"));
    EXPECT_NE(forced.find(std::string("\xC0\x05", 2)), std::string::npos);
    EXPECT_EQ(forced.find(std::string("\xC0\x28", 2)), std::string::npos);

    EXPECT_EQ(run(runMidi, {"--instrument", "128", f}), exitCode::kUsage);
    const std::string bad = put("bad.NTR", "**n[a-b-c]\n4x\n");
    EXPECT_EQ(run(runMidi, {bad}), exitCode::kFailed);
    EXPECT_FALSE(fs::exists(path("bad.mid")));
}
