#include "SmfStreamWriter.h"

#include "MidiOverflowError.h"

namespace notaro {

namespace {
constexpr size_t kHeaderBytes = 14;
constexpr size_t kTrackHeaderBytes = 8;
} // namespace

SmfStreamWriter::SmfStreamWriter(int16_t division, size_t expectedEvents)
{
    bytes_.reserve(kHeaderBytes + kTrackHeaderBytes + expectedEvents * 5 + 4);
    const auto div = static_cast<uint16_t>(division);
    bytes_.append("MThd\0\0\0\x06\0\x01\0\x01", 12);
    bytes_.push_back(static_cast<char>(div >> 8));
    bytes_.push_back(static_cast<char>(div & 0xFF));
    bytes_.append("MTrk\0\0\0\0", 8);
}

void SmfStreamWriter::putVarLen(int32_t v)
{
    if (v < 0)
        throw MidiOverflowError("a negative value has no variable-length encoding");
    auto u = static_cast<uint32_t>(v);
    char buf[5];
    int n = 0;
    buf[4 - n++] = static_cast<char>(u & 0x7F);
    while ((u >>= 7) != 0)
        buf[4 - n++] = static_cast<char>((u & 0x7F) | 0x80);
    bytes_.append(buf + 5 - n, static_cast<size_t>(n));
}

void SmfStreamWriter::channelMessage(int32_t delta, uint8_t status, uint8_t d1, uint8_t d2)
{
    putVarLen(delta);
    bytes_.push_back(static_cast<char>(status));
    bytes_.push_back(static_cast<char>(d1));
    if (status < 0xC0 || status > 0xDF)
        bytes_.push_back(static_cast<char>(d2));
}

void SmfStreamWriter::metaEvent(int32_t delta, uint8_t type, const std::string& data)
{
    putVarLen(delta);
    bytes_.push_back('\xFF');
    bytes_.push_back(static_cast<char>(type));
    putVarLen(static_cast<int32_t>(data.size()));
    bytes_ += data;
}

std::string SmfStreamWriter::finish()
{
    bytes_.append("\x00\xFF\x2F\x00", 4);
    const size_t length = bytes_.size() - kHeaderBytes - kTrackHeaderBytes;
    if (length > static_cast<size_t>(INT32_MAX))
        throw MidiOverflowError("the track chunk is longer than 2^31 - 1 bytes");
    for (int i = 0; i < 4; ++i)
        bytes_[kHeaderBytes + 4 + static_cast<size_t>(i)] = static_cast<char>((length >> (8 * (3 - i))) & 0xFF);
    return std::move(bytes_);
}

} // namespace notaro
