#include "midi/tMidiF04.h"

#include "base/AtomicFile.h"
#include "base/FileStreamBuf.h"
#include "base/ReadOnlyFile.h"
#include "midi/MidiArgumentError.h"
#include "midi/MidiDivisionError.h"
#include "midi/MidiError.h"
#include "midi/MidiOverflowError.h"
#include "midi/MidiResult.h"
#include "midi/midiFileIO.h"
#include "midi/midiU00.h"

#include <cmath>
#include <istream>
#include <queue>
#include <utility>

namespace notaro {

namespace {

constexpr int16_t kDefaultDivision = static_cast<int16_t>(0xE728);
constexpr int32_t kDefaultTempo = 500000;

// Nearest integer, halves to even, as a signed 32-bit value.
int32_t nearestInt32(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) {
        throw MidiOverflowError("a time in milliseconds exceeds 32 bits");
    }
    return static_cast<int32_t>(r);
}

std::string hex16(int16_t v) {
    static const char digits[] = "0123456789ABCDEF";
    auto u = static_cast<uint16_t>(v);
    std::string text;
    do {
        text.insert(text.begin(), digits[u & 0x0F]);
        u = static_cast<uint16_t>(u >> 4);
    } while (u != 0);
    return text;
}

} // namespace

tMidiF04::tMidiF04() {
    clear();
}

void tMidiF04::setPendingMessagesHandler(PendingMessagesHandler handler) {
    pendingMessages_ = std::move(handler);
}

tMidiTrk* tMidiF04::tracks(int32_t iTrk) {
    if (iTrk < 0 || iTrk >= numOfTracks()) {
        return nullptr;
    }
    return tracks_[static_cast<size_t>(iTrk)].get();
}

const tMidiTrk* tMidiF04::tracks(int32_t iTrk) const {
    return const_cast<tMidiF04*>(this)->tracks(iTrk);
}

void tMidiF04::setNTracks(int32_t n) {
    if (n < 1) {
        throw MidiArgumentError("a file needs at least 1 track");
    }
    if (n > INT16_MAX) {
        throw MidiOverflowError("a file holds at most 32767 tracks");
    }
    if (n == numOfTracks()) {
        return;
    }
    const auto count = static_cast<size_t>(n);
    const size_t old = tracks_.size();
    tracks_.resize(count);
    for (size_t i = old; i < count; ++i) {
        tracks_[i] = std::make_unique<tMidiTrk>();
    }
    trkCursors_.resize(count, 0);
    hdrNTracks_ = static_cast<int16_t>(n);
}

int32_t tMidiF04::allLastAbsMSec() const {
    int32_t last = 0;
    for (const auto& track : tracks_) {
        if (track->trkNEvents() > 0 && track->trkLastAbsMSec() > last) {
            last = track->trkLastAbsMSec();
        }
    }
    return last;
}

void tMidiF04::clear() {
    setNTracks(1);
    format_ = 1;
    division_ = kDefaultDivision;
    tracks_[0]->clear();
}

MidiResult tMidiF04::readMidiFile(const std::string& fPath) {
    // Opened for reading only: a missing file is never created and a read-only file can be read.
    base::ReadOnlyFile file(fPath);
    return readMidiFile(file);
}

MidiResult tMidiF04::readMidiFile(base::ReadOnlyFile& file) {
    headerRead_ = false;
    tracksReached_ = 0;
    MidiResult code = MidiResult::EndOfFile;
    if (file.isRegularFile()) {
        base::FileStreamBuf bytes(file);
        std::istream in(&bytes);
        code = readAllTrks(in);
    } else {
        clear();
        if (file.kind() != base::FileKind::Regular) {
            code = MidiResult::NotARegularFile;
        }
    }
    try {
        setEvtsAbsMSecs();
    } catch (const MidiError& e) {
        if (code == MidiResult::Ok) {
            code = e.code();
        }
    }
    return code;
}

MidiResult tMidiF04::readAllTrks(std::istream& file) {
    clear();
    const MidiResult code = readMThd(file);
    if (code != MidiResult::Ok) {
        return code;
    }
    headerRead_ = true;
    if (hdrNTracks_ < 1) {
        return MidiResult::NoTracksDeclared;
    }
    // Tracks are added as their chunks come, never all that the header declares: a 20-byte file
    // may declare 32767 of them. Each track read consumes at least 9 bytes, so the track count
    // stays within what the file holds.
    for (int32_t i = 0; i < hdrNTracks_; ++i) {
        if (i > 0) {
            appendTrack();
        }
        if (file.peek() == std::char_traits<char>::eof()) {
            return MidiResult::EndOfFile;
        }
        tracksReached_ = i + 1;
        const MidiResult trackCode = tracks_.back()->readTrk(file);
        if (trackCode != MidiResult::Ok) {
            return trackCode;
        }
    }
    return MidiResult::Ok;
}

void tMidiF04::appendTrack() {
    tracks_.push_back(std::make_unique<tMidiTrk>());
    trkCursors_.push_back(0);
}

MidiResult tMidiF04::readMThd(std::istream& file) {
    std::string bytes;
    if (!readStreamBytes(file, 4, bytes)) {
        return MidiResult::EndOfFile;
    }
    if (bytes != "MThd") {
        return MidiResult::NotAChunk;
    }
    if (!readStreamBytes(file, 4, bytes)) {
        return MidiResult::EndOfFile;
    }
    const int32_t length = midiU00::bytesToLongBE(bytes);
    if (length < 6) {
        return MidiResult::ChunkTooShort;
    }
    if (!readStreamBytes(file, 6, bytes)) {
        return MidiResult::EndOfFile;
    }
    format_ = midiU00::bytesToIntBE(bytes.substr(0, 2));
    hdrNTracks_ = midiU00::bytesToIntBE(bytes.substr(2, 2));
    division_ = midiU00::bytesToIntBE(bytes.substr(4, 2));
    if (!skipStreamBytes(file, static_cast<int64_t>(length) - 6)) {
        return MidiResult::EndOfFile;
    }
    return MidiResult::Ok;
}

void tMidiF04::copyFrom(const tMidiF04& src) {
    if (&src == this) {
        return;
    }
    setNTracks(src.numOfTracks());
    for (size_t i = 0; i < tracks_.size(); ++i) {
        tracks_[i]->copyFrom(*src.tracks_[i]);
    }
    format_ = src.format_;
    division_ = src.division_;
}

std::string tMidiF04::headerText() const {
    return "HEADER:\r\n======\r\n\tFormat: " + hex16(format_) +
           "\r\n\tTracks: " + hex16(hdrNTracks_) + "\r\n\tDivision: " + hex16(division_) + "\r\n";
}

std::string tMidiF04::trackHeadingText(int32_t iTrk) {
    return "\r\nTRACK #" + std::to_string(iTrk) + ":\r\n=========\r\n";
}

std::string tMidiF04::toText() const {
    std::string text = headerText();
    for (int32_t i = 0; i < numOfTracks(); ++i) {
        text += trackHeadingText(i);
        text += tracks(i)->toText();
    }
    return text;
}

template <typename Visit> void tMidiF04::walkInMergeOrder(Visit visit) {
    // Earliest absTick first; ties go to the lowest track index, and a track's own order always
    // holds because only the event at each track's cursor competes.
    using Head = std::pair<int32_t, size_t>;
    std::priority_queue<Head, std::vector<Head>, std::greater<Head>> heads;
    trkCursors_.assign(tracks_.size(), 0);
    for (size_t t = 0; t < tracks_.size(); ++t) {
        if (tracks_[t]->trkNEvents() > 0) {
            heads.emplace(tracks_[t]->trkEvents(0).absTick, t);
        }
    }
    while (!heads.empty()) {
        const size_t t = heads.top().second;
        heads.pop();
        // The visitor may let the user interface run; re-check the track in case it was reshaped.
        if (t >= tracks_.size() || trkCursors_[t] >= tracks_[t]->trkNEvents()) {
            continue;
        }
        visit(tracks_[t]->trkEvents(trkCursors_[t]));
        if (t >= tracks_.size()) {
            continue;
        }
        const int32_t next = ++trkCursors_[t];
        if (next < tracks_[t]->trkNEvents()) {
            heads.emplace(tracks_[t]->trkEvents(next).absTick, t);
        }
    }
}

MidiResult tMidiF04::make1TrackMidi() {
    tMidiTrk merged;
    walkInMergeOrder([&merged](tMidiEvt& ev) { merged.addEvent(ev); });
    return MidiResult::Ok;
}

void tMidiF04::setEvtsAbsTicks() {
    for (auto& track : tracks_) {
        track->setEvtsAbsTicks();
    }
}

void tMidiF04::setEvtsAbsMSecs() {
    setEvtsAbsTicks();
    if ((static_cast<uint16_t>(division_) & 0x8000) == 0) {
        setAbsMSecsPPQN(division_);
    } else {
        const auto framesPerSecond =
            -static_cast<int32_t>(static_cast<int8_t>(static_cast<uint16_t>(division_) >> 8));
        setAbsMSecsSMPTE((division_ & 0xFF) * framesPerSecond);
    }
}

void tMidiF04::setAbsMSecsPPQN(int32_t division) {
    // Tempo changes in any track apply to all tracks from their tick on.
    int32_t tempo = kDefaultTempo;
    int32_t tempoTick = 0;
    int32_t tempoMS = 0;
    walkInMergeOrder([&](tMidiEvt& ev) {
        int32_t ticks = 0;
        if (__builtin_sub_overflow(ev.absTick, tempoTick, &ticks)) {
            throw MidiOverflowError("ticks since the last tempo change exceed 32 bits");
        }
        ev.absMS = nearestInt32(tempoMS + midiU00::ticksToMSecs(ticks, division, tempo));
        if (ev.eType == 3 && !ev.eData.empty() && ev.eData[0] == 0x51) {
            std::string data = ev.eData.substr(1);
            if (data.size() < 4) {
                data.insert(0, 4 - data.size(), '\0');
            }
            tempo = midiU00::bytesToLongBE(data);
            tempoMS = ev.absMS;
            tempoTick = ev.absTick;
        }
        if (pendingMessages_) {
            pendingMessages_();
        }
    });
}

void tMidiF04::setAbsMSecsSMPTE(int32_t ticksPerSecond) {
    if (ticksPerSecond == 0) {
        throw MidiDivisionError("the time-code division has 0 ticks per second");
    }
    for (auto& track : tracks_) {
        for (int32_t i = 0; i < track->trkNEvents(); ++i) {
            tMidiEvt& ev = track->trkEvents(i);
            // The product is formed in 64 bits: only a time that itself exceeds 32 bits is an
            // overflow.
            ev.absMS = nearestInt32(static_cast<double>(static_cast<int64_t>(ev.absTick) * 1000) /
                                    ticksPerSecond);
        }
    }
}

std::string tMidiF04::makeMidiStr() const {
    std::vector<std::string> chunks;
    size_t size = 14;
    for (const auto& track : tracks_) {
        chunks.push_back(track->makeMidiTrackStr());
        size += chunks.back().size();
    }
    std::string bytes;
    bytes.reserve(size);
    bytes += "MThd";
    bytes += midiU00::longToBytesBE(6);
    bytes += midiU00::intToBytesBE(format_);
    bytes += midiU00::intToBytesBE(hdrNTracks_);
    bytes += midiU00::intToBytesBE(division_);
    for (const std::string& chunk : chunks) {
        bytes += chunk;
    }
    return bytes;
}

MidiResult tMidiF04::toFile(const std::string& fPath) const {
    std::string bytes;
    try {
        bytes = makeMidiStr();
    } catch (const std::exception&) {
        return MidiResult::FileNotWritten;
    }
    return notaro::base::writeFileAtomically(fPath, bytes) == 0 ? MidiResult::FileWritten
                                                                : MidiResult::FileNotWritten;
}

void tMidiF04::track2extrObj(std::unique_ptr<tMidiF04>& xtrObj, int32_t iTrk,
                             const std::array<bool, 16>& bChFilter, bool bAppend) const {
    const tMidiTrk* source = tracks(iTrk);
    if (source == nullptr) {
        return;
    }
    // Taken before the target is touched, so extracting into this very object works too.
    std::vector<std::pair<int32_t, int32_t>> taken;
    for (int32_t i = 0; i < source->trkNEvents(); ++i) {
        const tMidiEvt& ev = source->trkEvents(i);
        if (ev.eType != 1 || ev.eData.empty()) {
            continue;
        }
        const auto status = static_cast<uint8_t>(ev.eData[0]);
        if (status < 0x80 || status > 0xEF || !bChFilter[status & 0x0F]) {
            continue;
        }
        const int32_t data1 = ev.eData.size() > 1 ? static_cast<uint8_t>(ev.eData[1]) : 0;
        const int32_t data2 = ev.eData.size() > 2 ? static_cast<uint8_t>(ev.eData[2]) : 0;
        taken.emplace_back(ev.absMS, (status & 0xF0) + data1 * 256 + data2 * 65536);
    }
    if (!xtrObj) {
        xtrObj = std::make_unique<tMidiF04>();
    }
    if (!bAppend) {
        xtrObj->clear();
    }
    tMidiTrk& target = *xtrObj->tracks(0);
    for (size_t i = 0; i < taken.size(); ++i) {
        int32_t delta = 0;
        if (i > 0 && __builtin_sub_overflow(taken[i].first, taken[i - 1].first, &delta)) {
            throw MidiOverflowError("the spacing of two events exceeds 32 bits");
        }
        target.addGenShortMsg(delta, taken[i].second);
    }
}

} // namespace notaro
