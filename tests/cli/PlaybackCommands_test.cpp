// The devices and play commands, with a fake clock so that the trace is exact.
#include "PlaybackCommands.h"

#include "RecordingMidiOut.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace notaro::cli;
using namespace notaro::playback;

namespace {

class PlaybackCommands : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("notaro-play-test-" + std::to_string(::getpid()));
        fs::create_directories(dir_ / "config");
        ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        env_.clock = [this] { return now_; };
        env_.makePump = [this](std::function<void()> pendingEvents) -> EventPump {
            return [this, pendingEvents](int32_t deadline) {
                now_ = std::max(now_, deadline);
                if (onPump)
                    onPump(now_);
                pendingEvents();
            };
        };
        env_.makeDevice = [this](const std::string& name) -> std::unique_ptr<MidiOutDevice> {
            deviceNames.push_back(name);
            auto dev = std::make_unique<RecordingMidiOut>(env_.clock);
            dev->failOpenWith(openRc);
            return dev;
        };
    }
    void TearDown() override {
        ::unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(dir_);
    }

    std::string write(const std::string& text) {
        const fs::path p = dir_ / "tune.NTR";
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }
    int play(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return runPlayWith(args, out_, err_, env_);
    }

    fs::path dir_;
    int32_t now_ = 5000;
    PlaybackEnv env_;
    std::function<void(int32_t)> onPump;
    std::vector<std::string> deviceNames;
    int32_t openRc = 0;
    std::ostringstream out_, err_;
};

} // namespace

TEST_F(PlaybackCommands, TracePrintsNotesAndTimedMessages) {
    const std::string f = write("**n[a-b-c]\n*t[240]\n4c 8d+ 4:\n4e[ 4e] 8f'\n");
    EXPECT_EQ(play({"--output", "trace", f}), 0);
    EXPECT_EQ(out_.str(),
              "0 C0 00\n"
              "L3 4c d=1/4\n0 E0 00 40\n0 90 3C 7F\n237 E0 00 40\n237 80 3C 00\n"
              "L3 8d+ d=1/8\n250 E0 00 50\n250 90 3E 7F\n369 E0 00 40\n369 80 3E 00\n"
              "L3 4: d=1/4\n"
              "L4 4e t> d=1/4\n625 E0 00 40\n625 90 40 7F\n"
              "L4 4e <t d=1/4\n1062 E0 00 40\n1062 80 40 00\n"
              "L4 8f d=1/8\n1125 E0 00 40\n1125 90 41 7F\n1209 E0 00 40\n1209 80 41 00\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_TRUE(deviceNames.empty());
}

TEST_F(PlaybackCommands, InterruptStopsInSilenceWithExit130) {
    const std::string f = write("**n[a-b-c]\n2c 4d\n");
    onPump = [this](int32_t now) {
        if (now >= 5200)
            interruptPlayback();
    };
    EXPECT_EQ(play({"--output", "trace", f}), 130);
    EXPECT_EQ(out_.str(), "0 C0 00\nL2 2c d=1/2\n0 E0 00 40\n0 90 3C 7F\n900 80 3C 00\n");
}

TEST_F(PlaybackCommands, FromLineAndColumnPicksTheStartingNote) {
    const std::string f = write("**n[a-b-c]\n4c 4d\n4e 4f\n");
    EXPECT_EQ(play({"--output", "trace", "--from", "2:4", f}), 0);
    EXPECT_EQ(out_.str().substr(0, 20), "0 C0 00\nL2 4d d=1/4\n");
    EXPECT_EQ(play({"--output", "trace", "--from", "3", f}), 0);
    EXPECT_EQ(out_.str().substr(0, 20), "0 C0 00\nL3 4e d=1/4\n");
    EXPECT_EQ(play({"--output", "trace", "--from", "9", f}), 1);
    EXPECT_EQ(err_.str(), f + ": Nothing to play from line 9\n");
}

TEST_F(PlaybackCommands, InstrumentForcesTheProgram) {
    const std::string f = write("**n[a-b-c]\n*i[40]\n4c\n");
    EXPECT_EQ(play({"--output", "trace", "--instrument", "5", f}), 0);
    EXPECT_EQ(out_.str().substr(0, 8), "0 C0 05\n");
    EXPECT_EQ(out_.str().find("C0 28"), std::string::npos);
}

TEST_F(PlaybackCommands, OutputNameGoesToTheDeviceFactory) {
    const std::string f = write("**n[a-b-c]\n4c\n");
    EXPECT_EQ(play({"--output", "FLUID", f}), 0);
    EXPECT_EQ(play({f}), 0);
    EXPECT_EQ(deviceNames, (std::vector<std::string>{"FLUID", ""}));
    EXPECT_EQ(out_.str(), "L2 4c d=1/4\n");
}

TEST_F(PlaybackCommands, DeviceThatDoesNotOpenPrintsTheMessage) {
    const std::string f = write("**n[a-b-c]\n4c\n");
    openRc = 6; // no audio output: the message and what works without one
    EXPECT_EQ(play({f}), 1);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), "Couldn't open midi out, rc = 6\nNo audio device was found: \"notaro-cli "
                          "render\" makes a WAV file instead, and --output picks a MIDI port (see "
                          "\"notaro-cli devices\").\n");
}

TEST_F(PlaybackCommands, ParseErrorsAreReportedAsByCheck) {
    const std::string f = write("**n[a-b-c]\n4c 4x\n");
    EXPECT_EQ(play({"--output", "trace", f}), 1);
    EXPECT_EQ(err_.str(), f + ":2:4: Error: Invalid note/rest\n4c 4x\n   ^~\n");
    EXPECT_EQ(out_.str(), "");
}

TEST_F(PlaybackCommands, BadArgumentsAreUsageErrors) {
    const std::string f = write("**n[a-b-c]\n4c\n");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{},
                                               {"--instrument", "128", f},
                                               {"--instrument", "x", f},
                                               {"--from", "0", f},
                                               {"--from", "2:", f},
                                               {"--output", f},
                                               {"--bogus", f},
                                               {f, f}}) {
        EXPECT_EQ(play(args), 2);
        EXPECT_EQ(err_.str().rfind("usage:", 0), 0u);
    }
}

TEST_F(PlaybackCommands, MissingPortFailsWithItsCode) {
    const std::string f = write("**n[a-b-c]\n4c\n");
    out_.str("");
    err_.str("");
    EXPECT_EQ(runPlay({"--output", "no such port anywhere 7f3a", f}, out_, err_), 1);
    EXPECT_EQ(err_.str(), "Couldn't open midi out, rc = 2\n");
}

TEST_F(PlaybackCommands, DevicesListsTheSynthesizerAsDefault) {
    std::ostringstream out, err;
    EXPECT_EQ(runDevices({}, out, err), 0);
    EXPECT_EQ(out.str().rfind("* builtin  built-in synthesizer (FluidSynth), SoundFont ", 0), 0u);
    EXPECT_NE(out.str().find(" (default)\n"), std::string::npos);
    EXPECT_EQ(runDevices({"x"}, out, err), 2);
}

TEST_F(PlaybackCommands, DevicesSaysWhenTheConfiguredPortIsMissing) {
    fs::create_directories(dir_ / "config" / "notaro");
    std::ofstream(dir_ / "config" / "notaro" / "para.ini")
        << "[Midi]\nOutput=no such port anywhere 7f3a\n";
    std::ostringstream out, err;
    EXPECT_EQ(runDevices({}, out, err), 0);
    EXPECT_EQ(out.str().rfind("  builtin  ", 0), 0u);
    EXPECT_NE(
        out.str().find("The configured output \"no such port anywhere 7f3a\" is not present.\n"),
        std::string::npos);
}
