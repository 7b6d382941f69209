#include "cli/PlaybackCommands.h"

#include "cli/CommandArgs.h"
#include "cli/ExitCodes.h"
#include "cli/PracticeArgs.h"
#include "cli/ScoreDocument.h"
#include "cli/Usage.h"
#include "playback/FluidSynthEngine.h"
#include "playback/MidiOutputs.h"
#include "playback/MidiSettings.h"
#include "playback/RecordingMidiOut.h"
#include "playback/ShortMsg.h"
#include "playback/SleepingPump.h"
#include "playback/cGnsPlay.h"
#include "settings/OnRatios.h"

#include <atomic>
#include <csignal>

namespace notaro::cli {

namespace {

constexpr char kNoAudioHint[] =
    "No audio device was found: \"notaro-cli render\" makes a WAV file instead, and --output "
    "picks a MIDI port (see \"notaro-cli devices\").";

volatile std::sig_atomic_t gInterrupted = 0;
/// True while runPlay's Ctrl-C handler is installed: the flag was cleared before it was, so a
/// Ctrl-C that comes at once is not forgotten.
bool gInterruptScopeActive = false;
std::atomic<playback::SleepingPump*> gPump{nullptr};

void onSigint(int) {
    interruptPlayback();
}

/// Reads LINE or LINE:COLUMN (both 1-based).
bool readPosition(const std::string& s, int32_t& line, int32_t& column) {
    const size_t colon = s.find(':');
    column = 1;
    if (colon != std::string::npos && !readWholeNumber(s.substr(colon + 1), column))
        return false;
    return readWholeNumber(s.substr(0, colon), line) && line >= 1 && column >= 1;
}

/// The command's arguments.
struct PlayArgs {
    std::string output;
    int32_t instrument = -1;
    int32_t fromLine = 0;
    int32_t fromColumn = 1;
    std::string path;
    playback::PracticeOptions practice;
};

/// @return Done, or Usage after saying which value is wrong (a practice option) or not
ExitCode readPlayArgs(const std::vector<std::string>& args, PlayArgs& o, std::ostream& err) {
    std::string from;
    PracticeArgs practice;
    std::vector<ValueOption> options = {{{"--output"}, &o.output},
                                        {{"--instrument"}, nullptr, &o.instrument, 0, 127},
                                        {{"--from"}, &from}};
    for (ValueOption& option : practice.options())
        options.push_back(std::move(option));
    if (!parseCommandArgs(args, options, o.path) ||
        !(from.empty() || readPosition(from, o.fromLine, o.fromColumn)))
        return usageError(err);
    if (!practice.read(o.practice, err))
        return usageError(err);
    return ExitCode::Done;
}

/// Prints each note or rest as it starts, and the open failure.
class PlayPrinter : public playback::PlayerListener {
public:
    PlayPrinter(const cTParse& parser, std::ostream& out, std::ostream& err)
        : parser_(parser), out_(out), err_(err) {}
    void playingNoteLine(int32_t iNote, uint8_t, uint8_t, uint8_t, int32_t, int32_t, float, int32_t,
                         int32_t, int32_t, int32_t) override {
        show(iNote);
    }
    void playingRestLine(int32_t iNote, int32_t, int32_t, int32_t, int32_t, int32_t,
                         int32_t) override {
        show(iNote);
    }
    void startingPass(int32_t pass, int32_t tempoPercent) override {
        if (!showPasses)
            return;
        if (pass == 0)
            out_ << "Count-in at " << tempoPercent << " %\n";
        else
            out_ << "Pass " << pass << " at " << tempoPercent << " %\n";
        out_ << std::flush;
    }
    void midiOutOpenFailed(const std::string& message, playback::PlaybackResult rc) override {
        err_ << message << '\n';
        if (device && !device->failureReason().empty())
            err_ << device->failureReason() << '\n';
        // Machines without a sound card are common (servers, containers): say what still works.
        if (rc == playback::PlaybackResult::NoDriver)
            err_ << kNoAudioHint << '\n';
        openFailed = true;
    }

    bool openFailed = false;
    bool showPasses = false; ///< practice options were given: say where each pass begins
    const playback::MidiOutDevice* device = nullptr; ///< whose failure reason follows the message

private:
    void show(int32_t iNote) {
        out_ << parser_.noteToStr(iNote, parser_.namingSystem() == tokens::NamingSystem::Solfege,
                                  true)
             << '\n'
             << std::flush;
    }

    const cTParse& parser_;
    std::ostream& out_;
    std::ostream& err_;
};

/// Installs the Ctrl-C handler and the sleeping pump for one real-time play.
class InterruptScope {
public:
    InterruptScope() {
        gInterrupted = 0;
        gInterruptScopeActive = true;
        struct sigaction sa {};
        sa.sa_handler = onSigint;
        sigemptyset(&sa.sa_mask);
        sigaction(SIGINT, &sa, &old_);
    }
    ~InterruptScope() {
        sigaction(SIGINT, &old_, nullptr);
        gInterruptScopeActive = false;
        gPump = nullptr;
    }
    InterruptScope(const InterruptScope&) = delete;
    InterruptScope& operator=(const InterruptScope&) = delete;

private:
    struct sigaction old_ {};
};

} // namespace

void interruptPlayback() noexcept {
    gInterrupted = 1;
    if (playback::SleepingPump* pump = gPump.load())
        pump->wake();
}

ExitCode runDevices(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty())
        return usageError(err);
    std::vector<playback::MidiOutputInfo> outputs;
    const playback::PlaybackResult rc = playback::listMidiOutputs(outputs);
    for (const auto& o : outputs)
        out << (o.isDefault ? "* " : "  ") << o.name << "  " << o.description
            << (o.isDefault ? " (default)" : "") << '\n';
    if (rc != playback::PlaybackResult::Ok)
        out << "  (no ALSA sequencer: MIDI ports are not available)\n";
    const std::string setting = playback::midiOutputSetting();
    if (!playback::isBuiltinOutput(setting)) {
        bool found = false;
        for (const auto& o : outputs)
            found = found || o.isDefault;
        if (!found)
            out << "The configured output \"" << setting << "\" is not present.\n";
    }
    return ExitCode::Done;
}

ExitCode runPlayWith(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const PlaybackEnv& env) {
    if (!gInterruptScopeActive)
        gInterrupted = 0;
    PlayArgs o;
    if (const ExitCode rc = readPlayArgs(args, o, err); rc != ExitCode::Done)
        return rc;
    ScoreDocument doc;
    if (doc.load(o.path, err) != ExitCode::Done)
        return ExitCode::Failed;
    const cTParse& parser = doc.parser();
    const int32_t from = o.fromLine > 0 ? parser.iNoteOfILineIPos(o.fromLine, o.fromColumn) : 0;
    if (from < 0 || parser.nNotes() == 0) {
        err << o.path << ": Nothing to play";
        if (o.fromLine > 0)
            err << " from line " << o.fromLine;
        err << '\n';
        return ExitCode::Failed;
    }
    playback::PlayOptions options;
    options.patch = o.instrument;
    options.practice = o.practice;
    for (const std::string& problem : loadOnRatios(options.ratios))
        err << problem << '\n';

    std::unique_ptr<playback::MidiOutDevice> device;
    playback::RecordingMidiOut* rec = nullptr;
    if (o.output == "trace") {
        auto recorder = std::make_unique<playback::RecordingMidiOut>(
            env.clock, [&out, &rec](const playback::TimedShortMsg& m) {
                // Times count from the opening of the device, the start of playback.
                out << (m.ms - rec->openTick()) << ' ' << playback::shortMsgText(m.msg) << '\n'
                    << std::flush;
            });
        rec = recorder.get();
        device = std::move(recorder);
    } else {
        device = env.makeDevice(o.output);
    }

    playback::cGnsPlay* playerPtr = nullptr;
    const playback::EventPump pump = env.makePump([&playerPtr] {
        if (gInterrupted && playerPtr)
            playerPtr->stopPlaying();
    });
    playback::cGnsPlay player(*device, pump, env.clock);
    playerPtr = &player;
    PlayPrinter printer(parser, out, err);
    printer.device = device.get();
    printer.showPasses = !o.practice.isPlain();
    player.setListener(&printer);
    const playback::PlaybackResult rc = player.play(parser, from, parser.nNotes() - 1, options);
    if (printer.openFailed)
        return ExitCode::Failed;
    if (rc != playback::PlaybackResult::Ok) {
        err << o.path << ": Playback failed (" << code(rc) << ")\n";
        return ExitCode::Failed;
    }
    return gInterrupted ? ExitCode::Interrupted : ExitCode::Done;
}

ExitCode runPlay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    // Made first and so gone last: its audio output, kept between the opens of a device, is
    // closed once every device has gone and Ctrl-C has its old meaning again.
    return runPlayThrough(args, out, err, std::make_shared<playback::FluidSynthEngine>());
}

ExitCode runPlayThrough(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                        const std::shared_ptr<playback::FluidSynthEngine>& engine) {
    std::unique_ptr<playback::SleepingPump> sleeping;
    const InterruptScope scope; // restores Ctrl-C before the pump goes away
    PlaybackEnv env;
    env.makePump = [&sleeping](std::function<void()> pendingEvents) -> playback::EventPump {
        sleeping = std::make_unique<playback::SleepingPump>(std::move(pendingEvents));
        gPump = sleeping.get();
        return [p = sleeping.get()](int32_t deadline) { (*p)(deadline); };
    };
    env.makeDevice = [engine](const std::string& name) {
        return playback::makeMidiOut(engine, name);
    };
    return runPlayWith(args, out, err, env);
}

} // namespace notaro::cli
