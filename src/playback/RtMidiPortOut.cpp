#include "playback/RtMidiPortOut.h"

#include "playback/LibraryChatter.h"
#include "playback/ShortMsg.h"

#include <alsa/asoundlib.h>
#include <rtmidi/RtMidi.h>

#include <algorithm>
#include <cctype>

namespace notaro::playback {

namespace {

/// Takes RtMidi's errors instead of letting it print them; marks a failure in *flag.
void quietRtMidi(RtMidiError::Type type, const std::string&, void* flag) {
    if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING && flag)
        *static_cast<bool*>(flag) = true;
}

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

/// RtMidi writes to stderr when it cannot reach the sequencer, before an error callback
/// can be installed; asking ALSA first keeps that quiet and costs well under a millisecond.
bool sequencerAvailable() {
    silenceLibraryChatter();
    snd_seq_t* seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0)
        return false;
    snd_seq_close(seq);
    return true;
}

std::unique_ptr<RtMidiOut> makeOut(bool* errorFlag) {
    if (!sequencerAvailable())
        return nullptr;
    try {
        auto out = std::make_unique<RtMidiOut>(RtMidi::LINUX_ALSA, "notaro");
        out->setErrorCallback(quietRtMidi, errorFlag);
        return out;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

std::vector<std::string> portNames(RtMidiOut& out) {
    std::vector<std::string> names;
    const unsigned n = out.getPortCount();
    for (unsigned i = 0; i < n; ++i)
        names.push_back(out.getPortName(i));
    return names;
}

} // namespace

RtMidiPortOut::RtMidiPortOut(std::string portName) : portName_(std::move(portName)) {}

RtMidiPortOut::~RtMidiPortOut() {
    close();
}

PlaybackResult RtMidiPortOut::listPorts(std::vector<std::string>& ports) {
    ports.clear();
    bool failed = false;
    const std::unique_ptr<RtMidiOut> out = makeOut(&failed);
    if (!out)
        return PlaybackResult::BadDevice;
    try {
        ports = portNames(*out);
    } catch (const RtMidiError&) {
        return PlaybackResult::Error;
    }
    return failed ? PlaybackResult::Error : PlaybackResult::Ok;
}

int32_t RtMidiPortOut::findPort(const std::vector<std::string>& ports, const std::string& part) {
    const std::string wanted = lower(part);
    for (size_t i = 0; i < ports.size(); ++i)
        if (!wanted.empty() && lower(ports[i]).find(wanted) != std::string::npos)
            return static_cast<int32_t>(i);
    return kNoPort;
}

PlaybackResult RtMidiPortOut::doOpen() {
    failed_ = false;
    std::unique_ptr<RtMidiOut> out = makeOut(&failed_);
    if (!out) {
        setFailureReason("The ALSA MIDI sequencer is not available, so the MIDI port \"" +
                         portName_ + "\" cannot be reached.");
        return PlaybackResult::BadDevice;
    }
    try {
        const int32_t index = findPort(portNames(*out), portName_);
        if (index < 0) {
            setFailureReason("The MIDI port \"" + portName_ +
                             "\" is gone: no ALSA sequencer port has that name now.");
            return PlaybackResult::BadDevice;
        }
        out->openPort(static_cast<unsigned>(index), "notaro out");
        if (failed_ || !out->isPortOpen()) {
            setFailureReason("The MIDI port \"" + portName_ + "\" refused to open.");
            return PlaybackResult::Error;
        }
    } catch (const RtMidiError&) {
        setFailureReason("The MIDI port \"" + portName_ + "\" refused to open.");
        return PlaybackResult::Error;
    }
    out_ = std::move(out);
    return PlaybackResult::Ok;
}

PlaybackResult RtMidiPortOut::doShortMsg(uint32_t msg) {
    if (!out_)
        return PlaybackResult::NotOpen;
    if ((statusOf(msg) & 0x80) == 0)
        return PlaybackResult::InvalidParam;
    const unsigned char bytes[3] = {statusOf(msg), data1Of(msg), data2Of(msg)};
    try {
        out_->sendMessage(bytes, static_cast<size_t>(shortMsgLength(msg)));
    } catch (const RtMidiError&) {
        return PlaybackResult::Error;
    }
    if (failed_) {
        failed_ = false;
        return PlaybackResult::Error;
    }
    return PlaybackResult::Ok;
}

void RtMidiPortOut::doClose() {
    out_.reset();
}

} // namespace notaro::playback
