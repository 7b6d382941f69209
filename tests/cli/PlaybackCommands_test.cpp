#include "cli/PlaybackCommands.h"

#include "tests/cli/CliTestSupport.h"
#include "tests/playback/PlaybackTestSupport.h"

#include <algorithm>

using namespace notaro::cli;
using namespace notaro::playback;

namespace {

class PlaybackCommands : public notaro::testing::CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        env_.clock = time_.clock();
        env_.makePump = [this](std::function<void()> pendingEvents) -> EventPump {
            return [pump = time_.pump(), pendingEvents](int32_t deadline) {
                pump(deadline);
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

    ExitCode play(const Args& args) {
        using namespace std::placeholders;
        return run(std::bind(runPlayWith, _1, _2, _3, std::cref(env_)), args);
    }

    notaro::testing::FakeTime time_;
    PlaybackEnv env_;
    std::vector<std::string> deviceNames;
    PlaybackResult openRc = PlaybackResult::Ok;
};

} // namespace

TEST_F(PlaybackCommands, TracePrintsNotesAndTimedMessages) {
    const std::string f = put("tune.NTR", "**n[a-b-c]\n*t[240]\n4c 4:\n");
    EXPECT_EQ(play({"--output", "trace", f}), ExitCode::Done);
    EXPECT_EQ(out_.str(), "0 C0 00\nL3 4c d=1/4\n0 E0 00 40\n0 90 3C 7F\n237 E0 00 40\n"
                          "237 80 3C 00\nL3 4: d=1/4\n");
    EXPECT_EQ(err_.str(), "");
    EXPECT_TRUE(deviceNames.empty());
}

TEST_F(PlaybackCommands, FromPicksTheStartingNoteAndInstrumentForcesTheProgram) {
    const std::string f = put("tune.NTR", "**n[a-b-c]\n*i[40]\n4c 4d\n4e 4f\n");
    for (const auto& [from, start] :
         {std::pair{"3:4", "0 C0 28\nL3 4d d=1/4\n"}, {"4", "0 C0 28\nL4 4e d=1/4\n"}}) {
        EXPECT_EQ(play({"--output", "trace", "--from", from, f}), ExitCode::Done);
        EXPECT_EQ(out_.str().substr(0, 20), start);
    }
    EXPECT_EQ(play({"--output", "trace", "--from", "9", f}), ExitCode::Failed);
    EXPECT_EQ(err_.str(), f + ": Nothing to play from line 9\n");
    EXPECT_EQ(play({"--output", "trace", "--instrument", "5", f}), ExitCode::Done);
    EXPECT_EQ(out_.str().substr(0, 8), "0 C0 05\n");
}

TEST_F(PlaybackCommands, OutputNameGoesToTheDeviceFactoryWhoseFailureIsReported) {
    const std::string f = put("tune.NTR", "**n[a-b-c]\n4c\n");
    EXPECT_EQ(play({"--output", "FLUID", f}), ExitCode::Done);
    EXPECT_EQ(play({f}), ExitCode::Done);
    EXPECT_EQ(deviceNames, (std::vector<std::string>{"FLUID", ""}));
    EXPECT_EQ(out_.str(), "L2 4c d=1/4\n");
    openRc = PlaybackResult::NoDriver; // no audio output: the message and what works without one
    EXPECT_EQ(play({f}), ExitCode::Failed);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(err_.str(), "Couldn't open midi out, rc = 6\nNo audio device was found: \"notaro-cli "
                          "render\" makes a WAV file instead, and --output picks a MIDI port (see "
                          "\"notaro-cli devices\").\n");
    // The port's failure is named in the line after the message (no sequencer, or no such port).
    EXPECT_EQ(run(runPlay, {"--output", "no such port anywhere 7f3a", f}), ExitCode::Failed);
    const std::string e = err_.str();
    EXPECT_EQ(e.rfind("Couldn't open midi out, rc = 2\nThe ", 0), 0u) << e;
    EXPECT_NE(e.find(" MIDI port \"no such port anywhere 7f3a\" "), std::string::npos) << e;
    EXPECT_EQ(std::count(e.begin(), e.end(), '\n'), 2) << e;
}

TEST_F(PlaybackCommands, ParseErrorsAndBadArgumentsAreReported) {
    const std::string bad = put("tune.NTR", "**n[a-b-c]\n4c 4x\n");
    EXPECT_EQ(play({"--output", "trace", bad}), ExitCode::Failed);
    EXPECT_EQ(err_.str(), bad + ":2:4: Error: Invalid note/rest\n4c 4x\n   ^~\n");
    EXPECT_EQ(out_.str(), "");
    const std::string f = put("tune.NTR", "**n[a-b-c]\n4c\n");
    for (const char* line :
         {"", "--instrument 128 F", "--instrument x F", "--from 0 F", "--from 2: F", "--from 2:0 F",
          "--output F", "--bogus F", "F F"}) { // F: the score
        std::vector<std::string> args;
        std::istringstream words(line);
        for (std::string w; words >> w;)
            args.push_back(w == "F" ? f : w);
        EXPECT_EQ(play(args), ExitCode::Usage);
        EXPECT_EQ(err_.str().rfind("usage:", 0), 0u);
    }
}

TEST_F(PlaybackCommands, DevicesListsTheSynthesizerAsDefaultOrSaysThePortIsMissing) {
    EXPECT_EQ(run(runDevices, {}), ExitCode::Done);
    EXPECT_EQ(out_.str().rfind("* builtin  built-in synthesizer (FluidSynth), SoundFont ", 0), 0u);
    EXPECT_NE(out_.str().find(" (default)\n"), std::string::npos);
    EXPECT_EQ(run(runDevices, {"x"}), ExitCode::Usage);
    put("notaro/para.ini", "[Midi]\nOutput=no such port anywhere 7f3a\n");
    EXPECT_EQ(run(runDevices, {}), ExitCode::Done);
    EXPECT_EQ(out_.str().rfind("  builtin  ", 0), 0u);
    EXPECT_NE(
        out_.str().find("The configured output \"no such port anywhere 7f3a\" is not present.\n"),
        std::string::npos);
}

TEST_F(PlaybackCommands, PracticeOptionsLoopAndClickInTheTraceOrSayWhatIsWrong) {
    const std::string f = put("tune.NTR", "**n[a-b-c]\n*t[240]\n4c\n");
    EXPECT_EQ(play({"--output", "trace", "--loop", "2", "--count-in", "1", "--beats", "2",
                    "--click", "--tempo", "50", f}),
              ExitCode::Done);
    // Two count-in clicks (accent, beat), then each pass's note with the accent on its first beat.
    const std::string expected =
        "0 C0 00\nCount-in at 50 %\n0 99 4C 7F\n30 89 4C 00\n500 99 4D 60\n530 89 4D 00\n"
        "Pass 1 at 50 %\nL3 4c d=1/4\n1000 99 4C 7F\n1000 E0 00 40\n1000 90 3C 7F\n"
        "1030 89 4C 00\n1475 E0 00 40\n1475 80 3C 00\n"
        "Pass 2 at 50 %\nL3 4c d=1/4\n1500 99 4C 7F\n1500 E0 00 40\n1500 90 3C 7F\n"
        "1530 89 4C 00\n1975 E0 00 40\n1975 80 3C 00\n";
    EXPECT_EQ(out_.str(), expected);
    const struct {
        const char *option, *value, *message;
    } bad[] = {
        {"--tempo", "24", "--tempo 24: The tempo must be a whole percent from 25 to 200.\n"},
        {"--loop", "0", "--loop 0: The number of passes must be a whole number from 1 to 9999.\n"},
        {"--count-in", "x", "--count-in x: The count-in must be 1 or 2 bars.\n"},
        {"--beats", "17", "--beats 17: The beats in a bar must be a whole number from 1 to 16.\n"},
        {"--ramp", "80:5:70",
         "--ramp 80:5:70: The ramp must be START:STEP:CEILING in whole "
         "percents, START and CEILING from 25 to 200 with START no more than "
         "CEILING, STEP from 1 to 100.\n"},
        {"--ramp", "70:0:100", "--ramp 70:0:100: The ramp must be"},
        {"--ramp", "70:5", "--ramp 70:5: The ramp must be"},
    };
    for (const auto& b : bad) {
        EXPECT_EQ(play({b.option, b.value, f}), ExitCode::Usage);
        EXPECT_EQ(err_.str().rfind(b.message, 0), 0u) << err_.str();
        EXPECT_NE(err_.str().find("\nusage:"), std::string::npos);
    }
    EXPECT_EQ(play({"--tempo", "80", "--ramp", "70:5:100", f}), ExitCode::Usage);
    EXPECT_EQ(err_.str().rfind("--ramp 70:5:100: The ramp sets the tempo itself", 0), 0u);
}
