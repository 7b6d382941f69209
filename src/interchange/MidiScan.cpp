#include "interchange/MidiScan.h"

#include "midi/tMidiF04.h"
#include "score/ScoreEncoding.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>

namespace notaro::interchange {

namespace {

constexpr int32_t kDefaultBendCents = 200;

/// A meta text as UTF-8 on one line: bytes that are not UTF-8 are read as Windows-1252, the
/// encoding older files use, and control characters become blanks.
std::string textLine(const std::string& bytes) {
    std::string text = encoding::isValidUtf8(bytes) ? bytes : encoding::cp1252ToUtf8(bytes);
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return text;
}

/// The sounding state of one channel of one track while its events are read.
struct ChannelState {
    std::map<int32_t, std::deque<size_t>> open; // key -> indices of notes still sounding
    int32_t bend = 8192;
    int32_t rangeCents = kDefaultBendCents;
    int32_t rpn = -1; // the registered parameter selected (MSB * 128 + LSB), -1 for none
};

} // namespace

MidiScan::MidiScan(const tMidiF04& file)
    : format_(file.midiFileFormat()), division_(file.midiHdrDivision()) {
    meta_.resize(static_cast<size_t>(file.numOfTracks()));
    for (int32_t t = 0; t < file.numOfTracks(); ++t)
        scanTrack(file, t);
    for (const ChannelPart& part : parts_) {
        if (part.notes.empty())
            continue;
        MelodyCandidate c;
        c.track = part.track;
        c.channel = part.channel;
        c.name = meta_[static_cast<size_t>(part.track)].name;
        c.noteCount = static_cast<int32_t>(part.notes.size());
        const int64_t firstOn = part.notes.front().on;
        for (const TimedValue& p : part.programs)
            if (p.tick <= firstOn || c.program < 0)
                c.program = p.value;
        for (const ScannedNote& n : part.notes) {
            c.lowKey = std::min(c.lowKey, n.key);
            c.highKey = std::max(c.highKey, n.key);
        }
        candidates_.push_back(c);
    }
}

void MidiScan::scanTrack(const tMidiF04& file, int32_t track) {
    const tMidiTrk& trk = *file.tracks(track);
    TrackMeta& meta = meta_[static_cast<size_t>(track)];
    std::array<ChannelState, 16> states;
    std::array<int32_t, 16> partOf;
    partOf.fill(-1);
    const auto partFor = [&](int32_t ch) -> ChannelPart& {
        if (partOf[ch] < 0) {
            partOf[ch] = static_cast<int32_t>(parts_.size());
            parts_.push_back({track, ch, {}, {}});
        }
        return parts_[static_cast<size_t>(partOf[ch])];
    };
    int64_t tick = 0;
    for (int32_t i = 0; i < trk.trkNEvents(); ++i) {
        const tMidiEvt& ev = trk.trkEvents(i);
        tick = ev.absTick;
        const std::string& d = ev.eData;
        if (ev.eType == 3 && !d.empty()) {
            const auto type = static_cast<uint8_t>(d[0]);
            const auto byte = [&](size_t k) {
                return k < d.size() ? static_cast<uint8_t>(d[k]) : 0;
            };
            if (type == 0x51 && d.size() >= 4) {
                const int32_t us = (byte(1) << 16) | (byte(2) << 8) | byte(3);
                if (us > 0)
                    meta.tempos.push_back({tick, us});
            } else if (type == 0x58 && d.size() >= 3 && byte(1) > 0 && byte(2) <= 8) {
                meta.signatures.push_back({tick, byte(1), 1 << byte(2)});
            } else if (type == 0x59 && d.size() >= 2 && meta.keyTick < 0) {
                meta.keySignature = static_cast<int8_t>(byte(1));
                meta.keyTick = tick;
            } else if (type >= 1 && type <= 7) {
                const std::string text = textLine(d.substr(1));
                if (type == 3 && meta.name.empty())
                    meta.name = text;
                meta.texts.push_back({tick, type, text});
            }
            continue;
        }
        if (ev.eType != 1 || d.empty())
            continue;
        const auto status = static_cast<uint8_t>(d[0]);
        const int32_t kind = status & 0xF0;
        const int32_t ch = status & 0x0F;
        const int32_t d1 = d.size() > 1 ? static_cast<uint8_t>(d[1]) & 0x7F : 0;
        const int32_t d2 = d.size() > 2 ? static_cast<uint8_t>(d[2]) & 0x7F : 0;
        ChannelState& st = states[static_cast<size_t>(ch)];
        if (kind == 0x90 && d2 > 0) {
            ChannelPart& part = partFor(ch);
            const int32_t cents = (st.bend - 8192) * st.rangeCents / 8192;
            st.open[d1].push_back(part.notes.size());
            part.notes.push_back({tick, -1, d1, cents});
        } else if (kind == 0x80 || kind == 0x90) {
            auto it = st.open.find(d1);
            if (it != st.open.end() && !it->second.empty()) {
                partFor(ch).notes[it->second.front()].off = tick;
                it->second.pop_front();
            }
        } else if (kind == 0xC0) {
            partFor(ch).programs.push_back({tick, d1});
        } else if (kind == 0xE0) {
            st.bend = d1 + d2 * 128;
        } else if (kind == 0xB0) {
            // Registered parameter 0 (pitch-bend range): data entry in semitones and cents.
            if (d1 == 101)
                st.rpn = d2 * 128 + (st.rpn < 0 ? 0 : st.rpn % 128);
            else if (d1 == 100)
                st.rpn = (st.rpn < 0 ? 0 : st.rpn / 128 * 128) + d2;
            else if (d1 == 6 && st.rpn == 0)
                st.rangeCents = d2 * 100 + st.rangeCents % 100;
            else if (d1 == 38 && st.rpn == 0)
                st.rangeCents = st.rangeCents / 100 * 100 + std::min(d2, 99);
        }
    }
    lastTick_ = std::max(lastTick_, tick);
    for (int32_t ch = 0; ch < 16; ++ch) {
        if (partOf[ch] < 0)
            continue;
        ChannelPart& part = parts_[static_cast<size_t>(partOf[ch])];
        for (ScannedNote& n : part.notes)
            if (n.off < 0)
                n.off = tick;
        std::stable_sort(part.notes.begin(), part.notes.end(),
                         [](const ScannedNote& a, const ScannedNote& b) {
                             return a.on != b.on ? a.on < b.on : a.key > b.key;
                         });
    }
}

MelodySource MidiScan::source(const MelodyCandidate& line) const {
    MelodySource s;
    s.division = division_;
    s.lastTick = lastTick_;
    for (const ChannelPart& part : parts_) {
        if (part.track == line.track && part.channel == line.channel) {
            s.notes = part.notes;
            s.programs = part.programs;
        }
    }
    const auto& own = meta_[static_cast<size_t>(line.track)];
    s.trackName = own.name;
    int64_t keyTick = -1;
    for (size_t t = 0; t < meta_.size(); ++t) {
        // In format 2 every track is a sequence of its own, with its own tempo and metre.
        if (format_ == 2 && static_cast<int32_t>(t) != line.track)
            continue;
        const TrackMeta& m = meta_[t];
        s.tempos.insert(s.tempos.end(), m.tempos.begin(), m.tempos.end());
        s.signatures.insert(s.signatures.end(), m.signatures.begin(), m.signatures.end());
        if (m.keyTick >= 0 && (keyTick < 0 || m.keyTick < keyTick)) {
            keyTick = m.keyTick;
            s.keySignature = m.keySignature;
        }
        // Texts of the chosen track and of the first track (the conductor track in format 1).
        if (t == 0 && static_cast<int32_t>(t) != line.track && format_ == 1 && !m.name.empty())
            s.sequenceName = m.name;
        if (static_cast<int32_t>(t) == line.track || (t == 0 && format_ == 1))
            for (const TimedText& text : m.texts)
                if (!(text.type == 3 && text.text == m.name && text.tick == 0))
                    s.texts.push_back(text);
    }
    const auto byTick = [](const auto& a, const auto& b) { return a.tick < b.tick; };
    std::stable_sort(s.tempos.begin(), s.tempos.end(), byTick);
    std::stable_sort(s.signatures.begin(), s.signatures.end(), byTick);
    std::stable_sort(s.texts.begin(), s.texts.end(), byTick);
    return s;
}

} // namespace notaro::interchange
