#include "app/playback/MidiOutputChoice.h"

#include "playback/FluidSynthMidiOut.h"
#include "playback/MidiOutputs.h"
#include "playback/MidiSettings.h"
#include "playback/RtMidiPortOut.h"

namespace notaro::app {

std::unique_ptr<playback::MidiOutDevice>
makeChosenMidiOut(const std::shared_ptr<playback::FluidSynthEngine>& engine, QString& notice) {
    const std::string setting = playback::midiOutputSetting();
    std::vector<std::string> ports;
    // Listing asks the sequencer, so skip it when the synthesizer is chosen anyway.
    if (!playback::isBuiltinOutput(setting))
        playback::RtMidiPortOut::listPorts(ports);
    return makeChosenMidiOut(engine, setting, ports, notice);
}

std::unique_ptr<playback::MidiOutDevice>
makeChosenMidiOut(const std::shared_ptr<playback::FluidSynthEngine>& engine,
                  const std::string& setting, const std::vector<std::string>& ports,
                  QString& notice) {
    notice.clear();
    if (playback::isBuiltinOutput(setting))
        return std::make_unique<playback::FluidSynthMidiOut>(engine);
    // The same match the port device makes when it opens, so both agree on which port it is.
    if (playback::RtMidiPortOut::findPort(ports, setting) >= 0)
        return std::make_unique<playback::RtMidiPortOut>(setting);
    notice = QStringLiteral(
                 "MIDI output \"%1\" is not available; playing through the built-in synthesizer.")
                 .arg(QString::fromStdString(setting));
    return std::make_unique<playback::FluidSynthMidiOut>(engine);
}

} // namespace notaro::app
