// The devices and play commands, with a fake clock so that the trace is exact.
#include "PlaybackCommands.h"

#include "ExitCodes.h"
#include "RecordingMidiOut.h"

#include "../settings/TempConfig.h"

#include <sstream>

using namespace notaro::cli;
using namespace notaro::playback;

namespace {

/// A fake clock that each pump call moves to its deadline, a recording device, and a fresh
/// settings folder.
class PlaybackCommands : public notaro::testing::TempConfig {
protected:
    void SetUp() override {
        TempConfig::SetUp();
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

    std::string write(const std::string& text) {
        writeFile(path("tune.NTR"), text);
        return path("tune.NTR");
    }
    int play(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return runPlayWith(args, out_, err_, env_);
    }

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
    EXPECT_EQ(play({"--output", "trace", f}), exitCode::kDone);
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

TEST_F(PlaybackCommands, InterruptStopsInSilence) {
    const std::string f = write("**n[a-b-c]\n2c 4d\n");
    onPump = [this](int32_t now) {
        if (now >= 5200)
            interruptPlayback();
    };
    EXPECT_EQ(play({"--output", "trace", f}), exitCode::kInterrupted);
    EXPECT_EQ(out_.str(), "0 C0 00\nL2 2c d=1/2\n0 E0 00 40\n0 90 3C 7F\n900 80 3C 00\n");
}

TEST_F(PlaybackCommands, FromPicksTheStartingNoteAndInstrumentForcesTheProgram) {
    const std::string f = write("**n[a-b-c]\n*i[40]\n4c 4d\n4e 4f\n");
    for (const auto& [from, start] :
         {std::pair{"3:4", "0 C0 28\nL3 4d d=1/4\n"}, {"4", "0 C0 28\nL4 4e d=1/4\n"}}) {
        EXPECT_EQ(play({"--output", "trace", "--from", from, f}), exitCode::kDone);
        EXPECT_EQ(out_.str().substr(0, 20), start);
    }
    EXPECT_EQ(play({"--output", "trace", "--from", "9", f}), exitCode::kFailed);
    EXPECT_EQ(err_.str(), f + ": Nothing to play from line 9\n");
    EXPECT_EQ(play({"--output", "trace", "--instrument", "5", f}), exitCode::kDone);
    EXPECT_EQ(out_.str().substr(0, 8), "0 C0 05\n");
    EXPECT_EQ(out_.str().find("C0 28"), std::string::npos);
}

TEST_F(PlaybackCommands, OutputNameGoesToTheDeviceFactoryWhoseFailureIsReported) {
    const std::string f = write("**n[a-b-c]\n4c\n");
    EXPECT_EQ(play({"--output", "FLUID", f}), exitCode::kDone);
    EXPECT_EQ(play({f}), exitCode::kDone);
    EXPECT_EQ(deviceNames, (std::vector<std::string>{"FLUID", ""}));
    EXPECT_EQ(out_.str(), "L2 4c d=1/4\n");
    openRc = midiOutRc::kNoDriver; // no audio output: the message and what works without one
    EXPECT_EQ(play({f}), exitCode::kFailed);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), "Couldn't open midi out, rc = 6\nNo audio device was found: \"notaro-cli "
                          "render\" makes a WAV file instead, and --output picks a MIDI port (see "
                          "\"notaro-cli devices\").\n");
    err_.str("");
    EXPECT_EQ(runPlay({"--output", "no such port anywhere 7f3a", f}, out_, err_),
              exitCode::kFailed);
    EXPECT_EQ(err_.str(), "Couldn't open midi out, rc = 2\n");
}

TEST_F(PlaybackCommands, ParseErrorsAndBadArgumentsAreReported) {
    const std::string bad = write("**n[a-b-c]\n4c 4x\n");
    EXPECT_EQ(play({"--output", "trace", bad}), exitCode::kFailed);
    EXPECT_EQ(err_.str(), bad + ":2:4: Error: Invalid note/rest\n4c 4x\n   ^~\n");
    EXPECT_EQ(out_.str(), "");
    const std::string f = write("**n[a-b-c]\n4c\n");
    for (const char* line : {"", "--instrument 128 F", "--instrument x F", "--from 0 F",
                             "--from 2: F", "--output F", "--bogus F", "F F"}) { // F: the score
        std::vector<std::string> args;
        std::istringstream words(line);
        for (std::string w; words >> w;)
            args.push_back(w == "F" ? f : w);
        EXPECT_EQ(play(args), exitCode::kUsage);
        EXPECT_EQ(err_.str().rfind("usage:", 0), 0u);
    }
}

TEST_F(PlaybackCommands, DevicesListsTheSynthesizerAsDefaultOrSaysThePortIsMissing) {
    std::ostringstream out, err;
    EXPECT_EQ(runDevices({}, out, err), exitCode::kDone);
    EXPECT_EQ(out.str().rfind("* builtin  built-in synthesizer (FluidSynth), SoundFont ", 0), 0u);
    EXPECT_NE(out.str().find(" (default)\n"), std::string::npos);
    EXPECT_EQ(runDevices({"x"}, out, err), exitCode::kUsage);
    writeFile(path("notaro/para.ini"), "[Midi]\nOutput=no such port anywhere 7f3a\n");
    out.str("");
    EXPECT_EQ(runDevices({}, out, err), exitCode::kDone);
    EXPECT_EQ(out.str().rfind("  builtin  ", 0), 0u);
    EXPECT_NE(
        out.str().find("The configured output \"no such port anywhere 7f3a\" is not present.\n"),
        std::string::npos);
}
