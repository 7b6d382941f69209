// The check and notes commands, compared with the exact text a user sees.
#include "ScoreCommands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using namespace notaro::cli;

namespace {

class ScoreCommands : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("notaro-cli-test-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string write(const std::string& name, const std::string& bytes) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }

    int run(int (*cmd)(const std::vector<std::string>&, std::ostream&, std::ostream&),
            std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return cmd(args, out_, err_);
    }

    fs::path dir_;
    std::ostringstream out_, err_;
};

} // namespace

TEST_F(ScoreCommands, CheckAcceptsUnixAndWindowsLineEnds) {
    for (const char* text :
         {"**n[a-b-c]\n4c 4d\n", "**n[a-b-c]\r\n4c 4d\r\n", "**n[a-b-c]\r4c\r"}) {
        const std::string f = write("ok.NTR", text);
        EXPECT_EQ(run(runCheck, {f}), 0);
        EXPECT_EQ(out_.str(), "The syntax is correct\n");
        EXPECT_EQ(err_.str(), "");
    }
}

TEST_F(ScoreCommands, CheckShowsLineColumnAndMarker) {
    const std::string f = write("bad.NTR", "**n[a-b-c]\n4c\t4d( 4é 4x\n");
    EXPECT_EQ(run(runCheck, {f}), 1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), f + ":2:8: Error: Invalid note/rest\n"
                              "4c 4d( 4é 4x\n"
                              "       ^~\n");
}

TEST_F(ScoreCommands, CheckMarksTheWholeLineForLineErrors) {
    const std::string f = write("bad.NTR", "**n[a-b-c]\n  *t[fast]\n");
    EXPECT_EQ(run(runCheck, {f}), 1);
    EXPECT_EQ(err_.str(), f + ":2: Error: Incorrect tempo\n"
                              "  *t[fast]\n"
                              "  ^~~~~~~~\n");
    const std::string g = write("empty.NTR", "");
    EXPECT_EQ(run(runCheck, {g}), 1);
    EXPECT_EQ(err_.str(), g + ":1: Error: Empty text\n");
}

TEST_F(ScoreCommands, CheckReadsWindows1252) {
    // "é" as one Windows-1252 byte before the faulty token must count as one character.
    const std::string f = write("old.NTR", "**n[a-b-c]\r\n4c\xE9 4x\r\n");
    EXPECT_EQ(run(runCheck, {f}), 1);
    EXPECT_EQ(err_.str(), f + ":2:5: Error: Invalid note/rest\n4c\xC3\xA9 4x\n    ^~\n");
}

TEST_F(ScoreCommands, MissingFileAndUsage) {
    const std::string missing = (dir_ / "nope.NTR").string();
    EXPECT_EQ(run(runCheck, {missing}), 1);
    EXPECT_EQ(err_.str(), missing + ": Cannot open the file.\n");
    EXPECT_EQ(run(runCheck, {dir_.string()}), 1); // a folder is no score
    EXPECT_EQ(err_.str(), dir_.string() + ": Cannot open the file.\n");
    EXPECT_EQ(run(runCheck, {}), 2);
    EXPECT_NE(err_.str().find("usage: notaro-cli check FILE"), std::string::npos);
    EXPECT_EQ(run(runCheck, {"a", "b"}), 2);
    EXPECT_EQ(run(runNotes, {"--bogus", "a"}), 2);
}

TEST_F(ScoreCommands, NotesListsEveryRecord) {
    const std::string f = write("n.NTR", "**n[d-r-m]\n*def[A]\n8s( 8l)\n*enddef\n*t[90]\n4d[ 4d]\n"
                                         "*i[40]\n*usedef[A:2]\n2.:\n");
    EXPECT_EQ(run(runNotes, {f}), 0);
    EXPECT_EQ(out_.str(), "*t[90]\n4d t> d=1/4\n4d <t d=1/4\n*i[40]\n8s s> d=1/8\n8l <s d=1/8\n"
                          "8s s> d=1/8\n8l <s d=1/8\n2.: d=3/4\n");
    EXPECT_EQ(run(runNotes, {"--line-numbers", "--letters", f}), 0);
    EXPECT_EQ(out_.str(), "L5 *t[90]\nL6 4c t> d=1/4\nL6 4c <t d=1/4\nL7 *i[40]\nL3 8g s> d=1/8\n"
                          "L3 8a <s d=1/8\nL3 8g s> d=1/8\nL3 8a <s d=1/8\nL9 2.: d=3/4\n");
}

TEST_F(ScoreCommands, NotesReportsParseErrorsLikeCheck) {
    const std::string f = write("bad.NTR", "**n[a-b-c]\n4c[ 4d]\n");
    EXPECT_EQ(run(runNotes, {f}), 1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), f + ":2:5: Error: Different pitches in a tie\n4c[ 4d]\n    ^~~\n");
}

TEST(DefaultMidiPath, ReplacesOnlyTheFileNameExtension) {
    EXPECT_EQ(defaultMidiPath("song.NTR"), "song.mid");
    EXPECT_EQ(defaultMidiPath("dir/song.v2.txt"), "dir/song.v2.mid");
    EXPECT_EQ(defaultMidiPath("my.scores/song"), "my.scores/song.mid");
    EXPECT_EQ(defaultMidiPath("dir/.hidden"), "dir/.hidden.mid");
}

TEST_F(ScoreCommands, MidiWritesBesideTheScoreOrWhereAsked) {
    // The ratios come from para.ini in the user's settings folder; keep the test's own.
    ::setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    const std::string f = write("tune.NTR", "**n[a-b-c]\n*i[40]\n4c 4d\n");
    EXPECT_EQ(run(runMidi, {f}), 0);
    EXPECT_EQ(out_.str() + err_.str(), "");
    std::ifstream mid(dir_ / "tune.mid", std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(mid)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes.substr(0, 4), "MThd");
    // The score's own instrument 40 is followed unless one is forced.
    EXPECT_NE(bytes.find(std::string("\xC0\x28", 2)), std::string::npos);

    const std::string out = (dir_ / "forced.mid").string();
    EXPECT_EQ(run(runMidi, {"--instrument", "5", "-o", out, f}), 0);
    std::ifstream forced(out, std::ios::binary);
    std::string fb((std::istreambuf_iterator<char>(forced)), std::istreambuf_iterator<char>());
    EXPECT_NE(fb.find(std::string("\xC0\x05", 2)), std::string::npos);
    EXPECT_EQ(fb.find(std::string("\xC0\x28", 2)), std::string::npos);

    EXPECT_EQ(run(runMidi, {"-o", (dir_ / "missing" / "x.mid").string(), f}), 1);
    EXPECT_EQ(err_.str(), "Failed to save as Midi.\n");
    EXPECT_EQ(run(runMidi, {"--instrument", "128", f}), 2);
    const std::string bad = write("bad.NTR", "**n[a-b-c]\n4x\n");
    EXPECT_EQ(run(runMidi, {bad}), 1);
    EXPECT_EQ(err_.str(), bad + ":2:1: Error: Invalid note/rest\n4x\n^~\n");
    EXPECT_FALSE(fs::exists(dir_ / "bad.mid"));
    ::unsetenv("XDG_CONFIG_HOME");
}
