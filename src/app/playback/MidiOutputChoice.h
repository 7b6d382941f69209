#pragma once

#include "playback/MidiOutDevice.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace notaro::playback {
class FluidSynthEngine;
} // namespace notaro::playback

namespace notaro::app {

/// The output device for the next Play: the one [Midi] Output in para.ini names.
///
/// A port that has gone away since it was chosen (unplugged, its program ended, no ALSA
/// sequencer) would make Play fail with an open error; instead the built-in synthesizer plays
/// and notice tells the user why, in one line for the status line.
/// @param engine what the built-in synthesizer sounds through
/// @param notice set to that line, or cleared when the chosen output is used
std::unique_ptr<playback::MidiOutDevice>
makeChosenMidiOut(const std::shared_ptr<playback::FluidSynthEngine>& engine, QString& notice);

/// As above, for a given setting and list of the ALSA sequencer's output ports.
std::unique_ptr<playback::MidiOutDevice>
makeChosenMidiOut(const std::shared_ptr<playback::FluidSynthEngine>& engine,
                  const std::string& setting, const std::vector<std::string>& ports,
                  QString& notice);

} // namespace notaro::app
