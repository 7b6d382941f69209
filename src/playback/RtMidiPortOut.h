#pragma once

#include "playback/MidiOutDevice.h"

#include <memory>
#include <string>
#include <vector>

class RtMidiOut;

namespace notaro::playback {

/// An output port of the ALSA sequencer (a hardware port or another synthesizer), reached
/// through RtMidi and chosen by name.
class RtMidiPortOut : public MidiOutDevice {
public:
    /// portName: the port's full name or a part of it (compared without regard to case).
    explicit RtMidiPortOut(std::string portName);
    ~RtMidiPortOut() override;

    /// Names of the sequencer's output ports. @return Ok, or BadDevice when the
    /// ALSA sequencer is not available (ports is then empty)
    static PlaybackResult listPorts(std::vector<std::string>& ports);
    /// What findPort gives when no port name holds the wanted text.
    static constexpr int32_t kNoPort = -1;
    /// Index of the first port whose name contains part (without regard to case), or kNoPort
    /// for none.
    static int32_t findPort(const std::vector<std::string>& ports, const std::string& part);

    const std::string& portName() const noexcept { return portName_; }

protected:
    PlaybackResult doOpen() override;
    PlaybackResult doShortMsg(uint32_t msg) override;
    void doClose() override;

private:
    std::string portName_;
    std::unique_ptr<RtMidiOut> out_;
    bool failed_ = false; // set by RtMidi's error callback
};

} // namespace notaro::playback
