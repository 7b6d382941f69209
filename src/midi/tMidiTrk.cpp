#include "midi/tMidiTrk.h"

#include "midi/MidiArgumentError.h"
#include "midi/MidiError.h"
#include "midi/MidiOverflowError.h"
#include "midi/MidiRangeError.h"
#include "midi/MidiResult.h"
#include "midi/midiFileIO.h"
#include "midi/midiU00.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace notaro {

using midiU00::midiGetByte;
using midiU00::midiGetVarLen;

namespace {

// Slots are added this many at a time, each holding a ready event, so most appends only copy.
constexpr int32_t kSlotStep = 100;

const std::string kEndOfTrackData(1, '\x2F');

void checkChannel(uint8_t ch) {
    if (ch > 15) {
        throw MidiArgumentError("channel " + std::to_string(ch) + " is not 0 to 15");
    }
}

// The next len bytes of the body at pos, checked against the body before anything is allocated.
std::string takeBytes(const std::string& body, int32_t& pos, int32_t len) {
    const int64_t available = static_cast<int64_t>(body.size()) - pos + 1;
    if (len > available) {
        throw MidiArgumentError("an event runs past the end of the chunk body");
    }
    std::string bytes = body.substr(static_cast<size_t>(pos) - 1, static_cast<size_t>(len));
    pos += len;
    return bytes;
}

double parseCents(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    const auto last = text.find_last_not_of(" \t");
    if (first == std::string::npos) {
        throw MidiArgumentError("pitch shift \"" + text + "\" is not a number");
    }
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+' && end - begin > 1 && begin[1] != '-') {
        ++begin;
    }
    double cents = 0.0;
    const auto [ptr, ec] = std::from_chars(begin, end, cents);
    if (ec != std::errc() || ptr != end || !std::isfinite(cents)) {
        throw MidiArgumentError("pitch shift \"" + text + "\" is not a number");
    }
    return cents;
}

std::string zeroFilled(int32_t v) {
    const int64_t wide = v;
    std::string digits = std::to_string(wide < 0 ? -wide : wide);
    if (digits.size() < 6) {
        digits.insert(0, 6 - digits.size(), '0');
    }
    return wide < 0 ? "-" + digits : digits;
}

} // namespace

tMidiEvt& tMidiTrk::trkEvents(int32_t i) {
    if (i < 0 || i >= trkEventsArrSize()) {
        throw MidiRangeError("event slot " + std::to_string(i) + " does not exist");
    }
    return slots_[static_cast<size_t>(i)];
}

const tMidiEvt& tMidiTrk::trkEvents(int32_t i) const {
    return const_cast<tMidiTrk*>(this)->trkEvents(i);
}

void tMidiTrk::setTrkEvents(int32_t i, const tMidiEvt& evt) {
    trkEvents(i).copyFrom(evt);
}

bool tMidiTrk::trkChannels(int32_t i) const {
    if (i < 0 || i > 15) {
        throw MidiRangeError("channel " + std::to_string(i) + " is not 0 to 15");
    }
    return channels_[static_cast<size_t>(i)];
}

void tMidiTrk::setTrkChannels(int32_t i, bool used) {
    trkChannels(i);
    channels_[static_cast<size_t>(i)] = used;
}

bool tMidiTrk::trkActInstrs(int32_t i) const {
    if (i < 0 || i > 127) {
        throw MidiRangeError("program " + std::to_string(i) + " is not 0 to 127");
    }
    return programs_[static_cast<size_t>(i)];
}

void tMidiTrk::setTrkActInstrs(int32_t i, bool used) {
    trkActInstrs(i);
    programs_[static_cast<size_t>(i)] = used;
}

int32_t tMidiTrk::trkLastAbsMSec() const {
    return nEvents_ == 0 ? 0 : slots_[static_cast<size_t>(nEvents_) - 1].absMS;
}

void tMidiTrk::clear() {
    trkName.clear();
    trkInstrument.clear();
    slots_ = std::vector<tMidiEvt>();
    nEvents_ = 0;
    channels_.reset();
    programs_.reset();
}

void tMidiTrk::copyFrom(const tMidiTrk& src) {
    if (&src == this) {
        return;
    }
    clear();
    trkName = src.trkName;
    trkInstrument = src.trkInstrument;
    channels_ = src.channels_;
    programs_ = src.programs_;
    slots_.assign(src.slots_.begin(), src.slots_.begin() + src.nEvents_);
    nEvents_ = src.nEvents_;
}

tMidiEvt& tMidiTrk::nextSlot() {
    if (trkEventsArrSize() <= nEvents_) {
        slots_.resize(slots_.size() + kSlotStep);
    }
    return slots_[static_cast<size_t>(nEvents_++)];
}

void tMidiTrk::reserveEvents(int32_t n) {
    // Slots are added a whole step at a time, so room is kept for whole steps.
    const int64_t steps = (std::max<int64_t>(n, 0) + kSlotStep - 1) / kSlotStep;
    slots_.reserve(static_cast<size_t>(steps * kSlotStep));
}

MidiResult tMidiTrk::addEvent(const tMidiEvt& ev) {
    tMidiEvt& slot = nextSlot();
    slot.copyFrom(ev);
    return noteAdded(slot);
}

MidiResult tMidiTrk::noteAdded(const tMidiEvt& ev) {
    if (ev.eType == 1 && !ev.eData.empty()) {
        const auto status = static_cast<uint8_t>(ev.eData[0]);
        channels_[status & 0x0F] = true;
        if ((status & 0xF0) == 0xC0) {
            const auto program = ev.eData.size() > 1 ? static_cast<uint8_t>(ev.eData[1]) : 0;
            if (program > 127) {
                return MidiResult::OutOfRange;
            }
            programs_[program] = true;
        }
    } else if (ev.eType == 3 && !ev.eData.empty()) {
        if (ev.eData[0] == 0x03) {
            trkName = ev.eData.substr(1);
        } else if (ev.eData[0] == 0x04) {
            trkInstrument = ev.eData.substr(1);
        }
    }
    return MidiResult::Ok;
}

void tMidiTrk::addChanMsg(int32_t deltaTick, uint8_t status, uint8_t c1, uint8_t c2) {
    // Filled in place: the same event addEvent would store, without a temporary to copy.
    tMidiEvt& slot = nextSlot();
    slot.eType = 1;
    // Three bytes always fit the string's own buffer, so pushing them is cheaper than assign.
    slot.eData.clear();
    slot.eData.push_back(static_cast<char>(status));
    slot.eData.push_back(static_cast<char>(c1));
    slot.eData.push_back(static_cast<char>(c2));
    slot.deltaTick = deltaTick;
    slot.absTick = 0;
    slot.absMS = 0;
    noteAdded(slot);
}

void tMidiTrk::addSysExEvt(int32_t deltaTick, const std::string& msg) {
    tMidiEvt ev;
    ev.eType = 2;
    ev.eData = msg;
    ev.deltaTick = deltaTick;
    addEvent(ev);
}

void tMidiTrk::addMetaEvent(int32_t deltaTick, uint8_t metaType, const std::string& msg) {
    tMidiEvt ev;
    ev.eType = 3;
    ev.eData.reserve(msg.size() + 1);
    ev.eData.push_back(static_cast<char>(metaType));
    ev.eData += msg;
    ev.deltaTick = deltaTick;
    addEvent(ev);
}

void tMidiTrk::addGenShortMsg(int32_t dTime, int32_t shMsg) {
    const auto u = static_cast<uint32_t>(shMsg);
    addChanMsg(dTime, static_cast<uint8_t>(u & 0xFF), static_cast<uint8_t>((u >> 8) & 0xFF),
               static_cast<uint8_t>((u >> 16) & 0xFF));
}

MidiResult tMidiTrk::readTrk(std::istream& bfp) {
    std::string bytes;
    if (!readStreamBytes(bfp, 4, bytes)) {
        return MidiResult::EndOfFile;
    }
    if (bytes != "MTrk") {
        return MidiResult::NotAChunk;
    }
    if (!readStreamBytes(bfp, 4, bytes)) {
        return MidiResult::EndOfFile;
    }
    const int32_t length = midiU00::bytesToLongBE(bytes);
    if (length < 1) {
        return MidiResult::ChunkTooShort;
    }
    std::string body;
    if (!readStreamBytes(bfp, length, body)) {
        return MidiResult::EndOfFile;
    }
    // An event takes at least 2 bytes and usually 3 or 4; room for one per 3 bytes of the body
    // (which the file really holds) saves moving the events as the list grows.
    slots_.reserve(static_cast<size_t>(nEvents_) + body.size() / 3 + kSlotStep);
    try {
        return readBody(body);
    } catch (const MidiError& e) {
        return e.code();
    }
}

MidiResult tMidiTrk::readBody(const std::string& body) {
    const auto length = static_cast<int32_t>(body.size());
    int32_t pos = 1;
    uint8_t runningStatus = 0;
    while (pos <= length) {
        const int32_t dt = midiGetVarLen(body, pos);
        const uint8_t b = midiGetByte(body, pos);
        if (b >= 0x80) {
            runningStatus = b;
        } else if (runningStatus == 0) {
            return MidiResult::NoRunningStatus;
        }
        const int hi = runningStatus >> 4;
        const int nData = hi == 15 ? 0 : (hi == 12 || hi == 13) ? 1 : 2;
        if (nData > 0) {
            const uint8_t c1 = b >= 0x80 ? midiGetByte(body, pos) : b;
            const uint8_t c2 = nData == 2 ? midiGetByte(body, pos) : 0;
            addChanMsg(dt, runningStatus, c1, c2);
        } else if (b == 0xFF) {
            const uint8_t type = midiGetByte(body, pos);
            const int32_t len = midiGetVarLen(body, pos);
            addMetaEvent(dt, type, takeBytes(body, pos, len));
            if (type == 0x2F) {
                return MidiResult::Ok;
            }
        } else if (b == 0xF0) {
            const int32_t len = midiGetVarLen(body, pos);
            addSysExEvt(dt, "\xF0" + takeBytes(body, pos, len));
        } else if (b == 0xF7) {
            const int32_t len = midiGetVarLen(body, pos);
            if (len > static_cast<int64_t>(length) - pos + 1) {
                throw MidiArgumentError("an escape packet runs past the end of the chunk body");
            }
            pos += len;
        } else {
            return MidiResult::UnhandledStatus;
        }
    }
    return MidiResult::Ok;
}

std::string tMidiTrk::makeMidiTrackStr() const {
    // Sized once from the events, then written through a pointer: string appends one byte at
    // a time cost more than the encoding itself.
    size_t bound = 8 + 4;
    for (int32_t i = 0; i < nEvents_; ++i) {
        bound += 4 + 2 + 4 + slots_[static_cast<size_t>(i)].eData.size();
    }
    std::string chunk(bound, '\0');
    char* out = chunk.data();
    std::memcpy(out, "MTrk", 4);
    char* p = out + 8;
    auto putVarLen = [&p](int32_t v) {
        if (v < 0) {
            throw MidiOverflowError("a negative value has no variable-length encoding");
        }
        auto u = static_cast<uint32_t>(v);
        char buf[5];
        int n = 0;
        buf[4 - n++] = static_cast<char>(u & 0x7F);
        while ((u >>= 7) != 0) {
            buf[4 - n++] = static_cast<char>((u & 0x7F) | 0x80);
        }
        std::memcpy(p, buf + 5 - n, static_cast<size_t>(n));
        p += n;
    };
    for (int32_t i = 0; i < nEvents_; ++i) {
        const tMidiEvt& ev = slots_[static_cast<size_t>(i)];
        if (ev.eType == 1) {
            putVarLen(ev.deltaTick);
            const size_t size = ev.eData.size();
            const auto status = size == 0 ? 0 : static_cast<uint8_t>(ev.eData[0]);
            const bool oneDataByte = status >= 0xC0 && status <= 0xDF;
            const size_t n = oneDataByte ? std::min<size_t>(size, 2) : size;
            std::memcpy(p, ev.eData.data(), n);
            p += n;
        } else if (ev.eType == 3) {
            if (ev.eData.empty()) {
                throw MidiArgumentError("a meta event needs its type byte");
            }
            putVarLen(ev.deltaTick);
            *p++ = '\xFF';
            *p++ = ev.eData[0];
            putVarLen(static_cast<int32_t>(ev.eData.size() - 1));
            std::memcpy(p, ev.eData.data() + 1, ev.eData.size() - 1);
            p += ev.eData.size() - 1;
        }
    }
    const bool endsWithEndOfTrack =
        nEvents_ > 0 && slots_[static_cast<size_t>(nEvents_) - 1].eType == 3 &&
        slots_[static_cast<size_t>(nEvents_) - 1].eData == kEndOfTrackData;
    if (!endsWithEndOfTrack) {
        std::memcpy(p, "\x00\xFF\x2F\x00", 4);
        p += 4;
    }
    chunk.resize(static_cast<size_t>(p - out));
    const size_t bodySize = chunk.size() - 8;
    if (bodySize > static_cast<size_t>(INT32_MAX)) {
        throw MidiOverflowError("the track chunk is longer than 2^31 - 1 bytes");
    }
    const std::string length = midiU00::longToBytesBE(static_cast<int32_t>(bodySize));
    std::memcpy(chunk.data() + 4, length.data(), 4);
    return chunk;
}

void tMidiTrk::setEvtsAbsTicks() {
    int32_t sum = 0;
    for (int32_t i = 0; i < nEvents_; ++i) {
        tMidiEvt& ev = slots_[static_cast<size_t>(i)];
        if (__builtin_add_overflow(sum, ev.deltaTick, &sum)) {
            throw MidiOverflowError("absolute ticks exceed 32 bits");
        }
        ev.absTick = sum;
    }
}

std::string tMidiTrk::toText() const {
    std::string text;
    for (int32_t i = 0; i < nEvents_; ++i) {
        appendEventLine(text, i);
    }
    return text;
}

void tMidiTrk::appendEventLine(std::string& text, int32_t i) const {
    const tMidiEvt& ev = trkEvents(i);
    text += '\t';
    text += zeroFilled(ev.absTick);
    text += " (";
    text += zeroFilled(ev.absMS);
    text += ") ";
    if (ev.eType == 1) {
        text += "CM: " + midiU00::bytesToHex(ev.eData);
    } else if (ev.eType == 2) {
        text += "SM: " + midiU00::bytesToHex(ev.eData);
    } else if (ev.eType == 3) {
        text += midiU00::metaEvtText(ev.eData);
    }
    text += "\r\n";
}

void tMidiTrk::c_addTextE(int32_t dTick, const std::string& txt) {
    addMetaEvent(dTick, 0x01, txt);
}

void tMidiTrk::c_addCopyrightE(int32_t dTick, const std::string& txt) {
    addMetaEvent(dTick, 0x02, txt);
}

void tMidiTrk::c_addTracknameE(int32_t dTick, const std::string& txt) {
    addMetaEvent(dTick, 0x03, txt);
}

void tMidiTrk::c_addInstrNameE(int32_t dTick, const std::string& txt) {
    addMetaEvent(dTick, 0x04, txt);
}

void tMidiTrk::c_addLyricE(int32_t dTick, const std::string& txt) {
    addMetaEvent(dTick, 0x05, txt);
}

void tMidiTrk::c_addEndOfTrack(int32_t dTick) {
    addMetaEvent(dTick, 0x2F, std::string());
}

void tMidiTrk::c_addNewTempo(int32_t dTick, int32_t musPerQN) {
    const auto u = static_cast<uint32_t>(musPerQN);
    addMetaEvent(dTick, 0x51,
                 {static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                  static_cast<char>(u & 0xFF)});
}

void tMidiTrk::c_addProgChangeE(int32_t dTick, uint8_t ch, uint8_t instrument) {
    checkChannel(ch);
    addChanMsg(dTick, static_cast<uint8_t>(0xC0 + ch), instrument, 0);
}

void tMidiTrk::c_addNoteOnE(int32_t dTick, uint8_t ch, uint8_t note, uint8_t force) {
    checkChannel(ch);
    addChanMsg(dTick, static_cast<uint8_t>(0x90 + ch), note, force);
}

void tMidiTrk::c_addNoteOffE(int32_t dTick, uint8_t ch, uint8_t note) {
    checkChannel(ch);
    addChanMsg(dTick, static_cast<uint8_t>(0x80 + ch), note, 0);
}

uint16_t tMidiTrk::pitchWheelValue(double cents) {
    if (cents < -199) {
        cents = -199;
    } else if (cents > 199) {
        cents = 199;
    }
    return static_cast<uint16_t>(std::nearbyint(cents * 4096 / 100 + 8192));
}

void tMidiTrk::c_addPitchWheelE(int32_t dTick, uint8_t ch, const std::string& shiftCents) {
    checkChannel(ch);
    const int32_t value = pitchWheelValue(parseCents(shiftCents));
    addChanMsg(dTick, static_cast<uint8_t>(0xE0 + ch), static_cast<uint8_t>(value & 127),
               static_cast<uint8_t>(value / 128));
}

} // namespace notaro
