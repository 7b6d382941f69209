#include "midi/midiU00.h"

#include "midi/MidiArgumentError.h"
#include "midi/MidiOverflowError.h"

#include <limits>

namespace notaro {

namespace midiU00 {

uint8_t midiGetByte(const std::string& data, int32_t& pos) {
    if (pos < 1 || static_cast<size_t>(pos) > data.size()) {
        throw MidiArgumentError("read position " + std::to_string(pos) +
                                " is past the end of the bytes");
    }
    const auto b = static_cast<uint8_t>(data[static_cast<size_t>(pos) - 1]);
    ++pos;
    return b;
}

int32_t midiGetVarLen(const std::string& data, int32_t& pos) {
    int32_t value = 0;
    uint8_t b = 0;
    do {
        b = midiGetByte(data, pos);
        if (value > (std::numeric_limits<int32_t>::max() - (b & 0x7F)) / 128) {
            throw MidiOverflowError("variable-length quantity exceeds 2^31 - 1");
        }
        value = value * 128 + (b & 0x7F);
    } while (b & 0x80);
    return value;
}

int32_t bytesToLongBE(const std::string& s) {
    if (s.size() < 4) {
        throw MidiArgumentError("a 32-bit number needs 4 bytes");
    }
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) {
        v = (v << 8) | static_cast<uint8_t>(s[i]);
    }
    return static_cast<int32_t>(v);
}

int16_t bytesToIntBE(const std::string& s) {
    if (s.size() < 2) {
        throw MidiArgumentError("a 16-bit number needs 2 bytes");
    }
    const auto v =
        static_cast<uint16_t>((static_cast<uint8_t>(s[0]) << 8) | static_cast<uint8_t>(s[1]));
    return static_cast<int16_t>(v);
}

std::string longToBytesBE(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    return {static_cast<char>(u >> 24), static_cast<char>((u >> 16) & 0xFF),
            static_cast<char>((u >> 8) & 0xFF), static_cast<char>(u & 0xFF)};
}

std::string intToBytesBE(int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    return {static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)};
}

std::string varLenBytes(int32_t v) {
    std::string out;
    appendVarLen(out, v);
    return out;
}

void appendVarLen(std::string& out, int32_t v) {
    if (v < 0) {
        throw MidiOverflowError("a negative value has no variable-length encoding");
    }
    if (v < 0x80) {
        out.push_back(static_cast<char>(v));
        return;
    }
    char buf[5];
    int n = 0;
    auto u = static_cast<uint32_t>(v);
    buf[4] = static_cast<char>(u & 0x7F);
    n = 1;
    while ((u >>= 7) != 0) {
        buf[4 - n] = static_cast<char>((u & 0x7F) | 0x80);
        ++n;
    }
    out.append(buf + 5 - n, static_cast<size_t>(n));
}

double ticksToMSecs(int32_t ticks, int32_t division, int32_t tempo) {
    const int32_t perQuarter = division < 1 ? 1 : division;
    return (static_cast<double>(tempo) / 1000.0) / perQuarter * ticks;
}

namespace {

std::string metaLabel(uint8_t type) {
    switch (type) {
    case 0x01:
        return "Text: ";
    case 0x02:
        return "Copyright: ";
    case 0x03:
        return "Track Name: ";
    case 0x04:
        return "Instrument: ";
    case 0x05:
        return "Lyric: ";
    case 0x06:
        return "Marker: ";
    case 0x07:
        return "Cue Point: ";
    case 0x20:
        return "Channel: ";
    case 0x21:
        return "Port: ";
    case 0x2F:
        return "End of Track: ";
    case 0x51:
        return "Tempo Change: ";
    case 0x54:
        return "SMPTE Offset: ";
    case 0x58:
        return "Time Signature: ";
    case 0x59:
        return "Key Signature: ";
    default:
        return "??? (" + std::to_string(type) + "): ";
    }
}

} // namespace

std::string metaEvtText(const std::string& eData) {
    if (eData.empty()) {
        throw MidiArgumentError("a meta event needs its type byte");
    }
    const auto type = static_cast<uint8_t>(eData[0]);
    const std::string data = eData.substr(1);
    std::string text = metaLabel(type);
    if (type >= 0x01 && type <= 0x07) {
        text += data;
    } else if (type == 0x20 || type == 0x21) {
        // A Channel or Port event without its data byte has no value to show: the label stands
        // alone.
        if (!data.empty()) {
            text += std::to_string(static_cast<uint8_t>(data[0]));
        }
    } else if (type != 0x2F) {
        text += bytesToHex(data);
    }
    return text;
}

std::string bytesToHex(const std::string& s) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(s.size() * 2);
    for (const char c : s) {
        const auto b = static_cast<uint8_t>(c);
        hex.push_back(digits[b >> 4]);
        hex.push_back(digits[b & 0x0F]);
    }
    return hex;
}

} // namespace midiU00

} // namespace notaro
