#include "midi/SmfStreamWriter.h"

#include "midi/MidiOverflowError.h"

#include <algorithm>
#include <cstring>

namespace notaro {

namespace {
constexpr size_t kHeaderBytes = 14;
constexpr size_t kTrackHeaderBytes = 8;
} // namespace

SmfStreamWriter::SmfStreamWriter(int16_t division, size_t expectedEvents) {
    bytes_.resize(kHeaderBytes + kTrackHeaderBytes + expectedEvents * 5 + 64);
    const auto div = static_cast<uint16_t>(division);
    char* p = room(kHeaderBytes + kTrackHeaderBytes);
    std::memcpy(p, "MThd\0\0\0\x06\0\x01\0\x01", 12);
    p[12] = static_cast<char>(div >> 8);
    p[13] = static_cast<char>(div & 0xFF);
    std::memcpy(p + 14, "MTrk\0\0\0\0", 8);
}

char* SmfStreamWriter::room(size_t n) {
    if (used_ + n > bytes_.size())
        bytes_.resize(std::max(bytes_.size() * 2, used_ + n));
    char* p = bytes_.data() + used_;
    used_ += n;
    return p;
}

void SmfStreamWriter::putVarLen(int32_t v) {
    if (v < 0)
        throw MidiOverflowError("a negative value has no variable-length encoding");
    auto u = static_cast<uint32_t>(v);
    if (u < 0x80) {
        *room(1) = static_cast<char>(u);
        return;
    }
    char buf[5];
    int n = 0;
    buf[4 - n++] = static_cast<char>(u & 0x7F);
    while ((u >>= 7) != 0)
        buf[4 - n++] = static_cast<char>((u & 0x7F) | 0x80);
    std::memcpy(room(static_cast<size_t>(n)), buf + 5 - n, static_cast<size_t>(n));
}

void SmfStreamWriter::channelMessage(int32_t delta, uint8_t status, uint8_t d1, uint8_t d2) {
    if (delta >= 0 && delta < 0x80) {
        // Most deltas fit one byte: the whole event is written at once.
        char* p = room(4);
        p[0] = static_cast<char>(delta);
        p[1] = static_cast<char>(status);
        p[2] = static_cast<char>(d1);
        p[3] = static_cast<char>(d2);
        if (status >= 0xC0 && status <= 0xDF)
            --used_;
        return;
    }
    putVarLen(delta);
    const bool twoDataBytes = status < 0xC0 || status > 0xDF;
    char* p = room(twoDataBytes ? 3 : 2);
    p[0] = static_cast<char>(status);
    p[1] = static_cast<char>(d1);
    if (twoDataBytes)
        p[2] = static_cast<char>(d2);
}

void SmfStreamWriter::metaEvent(int32_t delta, uint8_t type, const std::string& data) {
    putVarLen(delta);
    char* p = room(2);
    p[0] = '\xFF';
    p[1] = static_cast<char>(type);
    putVarLen(static_cast<int32_t>(data.size()));
    std::memcpy(room(data.size()), data.data(), data.size());
}

std::string SmfStreamWriter::finish() {
    std::memcpy(room(4), "\x00\xFF\x2F\x00", 4);
    bytes_.resize(used_);
    const size_t length = bytes_.size() - kHeaderBytes - kTrackHeaderBytes;
    if (length > static_cast<size_t>(INT32_MAX))
        throw MidiOverflowError("the track chunk is longer than 2^31 - 1 bytes");
    for (int i = 0; i < 4; ++i)
        bytes_[kHeaderBytes + 4 + static_cast<size_t>(i)] =
            static_cast<char>((length >> (8 * (3 - i))) & 0xFF);
    return std::move(bytes_);
}

} // namespace notaro
