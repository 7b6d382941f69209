#pragma once

#include "midi/MidiEventSink.h"
#include "midi/tMidiTrk.h"

namespace notaro {

/// Appends the events to a track object, for callers that want the file in memory.
class TrackEventSink : public MidiEventSink {
public:
    explicit TrackEventSink(tMidiTrk& track) : track_(track) {}
    void channelMessage(int32_t delta, uint8_t status, uint8_t d1, uint8_t d2) override {
        track_.addChanMsg(delta, status, d1, d2);
    }
    void metaEvent(int32_t delta, uint8_t type, const std::string& data) override {
        track_.addMetaEvent(delta, type, data);
    }

private:
    tMidiTrk& track_;
};

} // namespace notaro
