#pragma once

#include "midi/MidiEventSink.h"

#include <cstdint>
#include <string>

namespace notaro {

/// Encodes a one-track Standard MIDI File (format 1) straight into bytes as the events
/// arrive, giving the same bytes as building the track object and writing it, without
/// keeping an object per event: exports of long scores need far less memory and time.
class SmfStreamWriter : public MidiEventSink {
public:
    explicit SmfStreamWriter(int16_t division, size_t expectedEvents = 0);

    void channelMessage(int32_t delta, uint8_t status, uint8_t d1, uint8_t d2) override;
    void metaEvent(int32_t delta, uint8_t type, const std::string& data) override;
    /// Appends End of Track, fills in the track length and returns the whole file.
    /// Throws MidiOverflowError when the track is longer than 2^31 - 1 bytes.
    std::string finish();

private:
    /// Room for n more bytes; the bytes are written through a pointer, since appending to a
    /// string a byte at a time costs more than the encoding itself.
    char* room(size_t n);
    void putVarLen(int32_t v);

    std::string bytes_;
    size_t used_ = 0;
};

} // namespace notaro
