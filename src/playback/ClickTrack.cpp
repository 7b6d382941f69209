#include "playback/ClickTrack.h"

#include "base/Nearest.h"

#include <algorithm>

namespace notaro::playback {

namespace {

/// A quarter note, the beat, in whole notes.
const cDuration kBeat(1, 4);

} // namespace

ClickTrack::ClickTrack(MidiOutDevice& device, int32_t beatsPerBar, bool clickWhilePlaying)
    : device_(device), beatsPerBar_(beatsPerBar), clickWhilePlaying_(clickWhilePlaying),
      position_(0, 1) {}

int32_t ClickTrack::queueCountIn(int32_t startMs, int32_t beatMs, int32_t beats) {
    const int32_t soundMs = std::min(kSoundMs, beatMs / 2);
    for (int32_t k = 0; k < beats; ++k)
        queueBeat(startMs + k * beatMs, soundMs, k % beatsPerBar_ == 0);
    return startMs + beats * beatMs;
}

void ClickTrack::startPass() {
    position_.setND(0, 1);
    nextBeat_ = 0;
}

void ClickTrack::addSpan(int32_t startMs, int32_t durMs, const cDuration& value) {
    if (!clickWhilePlaying_ || value.isZero() || value.isNeg())
        return;
    cDuration end = position_;
    if (end.Add(value) != DurationResult::Ok)
        return;
    // Each beat's offset in the record is its share of the record's value.
    const double msPerWhole = durMs * static_cast<double>(value.Denom()) / value.Numer();
    const int32_t soundMs = std::min(kSoundMs, nearest(msPerWhole / 8));
    for (;;) {
        cDuration beat(nextBeat_, 4);
        if (beat.Comp(end) >= 0)
            break;
        cDuration into = beat;
        if (into.Subtract(position_) != DurationResult::Ok)
            break;
        const int32_t atMs =
            startMs + nearest(msPerWhole * into.Numer() / static_cast<double>(into.Denom()));
        queueBeat(atMs, soundMs, nextBeat_ % beatsPerBar_ == 0);
        ++nextBeat_;
    }
    position_ = end;
}

void ClickTrack::queueBeat(int32_t atMs, int32_t soundMs, bool accent) {
    const uint8_t key = accent ? kAccentKey : kBeatKey;
    const uint8_t velocity = accent ? kAccentVelocity : kBeatVelocity;
    const auto later = [](const TimedShortMsg& a, const TimedShortMsg& b) { return a.ms < b.ms; };
    const TimedShortMsg on{atMs, packShortMsg(0x90 + kChannel, key, velocity)};
    queue_.insert(std::upper_bound(queue_.begin(), queue_.end(), on, later), on);
    const TimedShortMsg off{atMs + std::max(soundMs, 1), packShortMsg(0x80 + kChannel, key, 0)};
    queue_.insert(std::upper_bound(queue_.begin(), queue_.end(), off, later), off);
}

void ClickTrack::sendDue(int32_t nowMs) {
    size_t n = 0;
    while (n < queue_.size() && queue_[n].ms <= nowMs)
        device_.shortMsg(queue_[n++].msg);
    queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(n));
}

void ClickTrack::flush() {
    for (const TimedShortMsg& m : queue_)
        if ((statusOf(m.msg) & 0xF0) == 0x80)
            device_.shortMsg(m.msg);
    queue_.clear();
}

int32_t ClickTrack::nextDue(int32_t limitMs) const noexcept {
    return queue_.empty() ? limitMs : std::min(limitMs, queue_.front().ms);
}

} // namespace notaro::playback
