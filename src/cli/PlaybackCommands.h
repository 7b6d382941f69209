#pragma once

#include "cli/ExitCodes.h"
#include "playback/MidiOutDevice.h"
#include "playback/TickClock.h"

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace notaro::playback {
class FluidSynthEngine;
} // namespace notaro::playback

namespace notaro::cli {

/// How `play` reaches the clock, the waiting and the outputs; tests replace them.
struct PlaybackEnv {
    playback::TickClock clock = playback::getTickCount;
    /// Makes the event pump; the pump must call pendingEvents each time it runs.
    std::function<playback::EventPump(std::function<void()> pendingEvents)> makePump;
    /// Makes the output called name ("" for the configured one); "trace" never comes here.
    std::function<std::unique_ptr<playback::MidiOutDevice>(const std::string& name)> makeDevice;
};

/// `devices`: lists the outputs and marks the default one. Returns the exit code.
ExitCode runDevices(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

/// `play [--output NAME] [--instrument N] [--from LINE[:COLUMN]] [PRACTICE] FILE`: plays in
/// real time (PRACTICE: see PracticeArgs), printing each note or rest as it starts; Ctrl-C
/// stops in silence (ExitCode::Interrupted).
ExitCode runPlay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
/// runPlay sounding through engine, which the caller keeps (a process that ends right after
/// can leave the synthesizer to the kernel instead of freeing it piece by piece).
ExitCode runPlayThrough(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                        const std::shared_ptr<playback::FluidSynthEngine>& engine);

/// runPlay with its clock, pump and outputs given.
ExitCode runPlayWith(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const PlaybackEnv& env);

/// Asks a running `play` to stop, as Ctrl-C does. Safe in a signal handler.
void interruptPlayback() noexcept;

} // namespace notaro::cli
