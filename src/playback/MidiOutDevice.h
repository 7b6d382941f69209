#pragma once

#include "playback/PlaybackCodes.h"
#include "playback/SoundingNotes.h"

#include <cstdint>
#include <string>

namespace notaro::playback {

/// A MIDI output: open, send short messages, close.
///
/// Closing always silences the output first: every note still sounding gets its note-off
/// and every shifted pitch wheel is centred, so that stopping in the middle of a note never
/// leaves it hanging. Backends implement doOpen/doShortMsg/doClose; each backend's destructor
/// calls close().
class MidiOutDevice {
public:
    virtual ~MidiOutDevice() = default;
    MidiOutDevice(const MidiOutDevice&) = delete;
    MidiOutDevice& operator=(const MidiOutDevice&) = delete;

    /// Opens the output. @return Ok, or the backend's failure (Error, BadDevice, NoDriver,
    /// NoSoundFont).
    PlaybackResult open();
    /// Sends one packed short message (status | data1 << 8 | data2 << 16).
    /// @return Ok, NotOpen when the device is closed, or the backend's failure.
    PlaybackResult shortMsg(uint32_t msg);
    /// Silences the output and closes it; does nothing when it is not open.
    void close();
    bool isOpen() const noexcept { return open_; }
    /// Why the last open() failed, in words for people (for example which SoundFont could not
    /// be loaded and why); empty after a successful open or when the backend cannot tell.
    const std::string& failureReason() const noexcept { return failureReason_; }

protected:
    MidiOutDevice() = default;
    /// For doOpen: the words failureReason() gives after this open fails.
    void setFailureReason(std::string reason) { failureReason_ = std::move(reason); }

    virtual PlaybackResult doOpen() = 0;
    virtual PlaybackResult doShortMsg(uint32_t msg) = 0;
    virtual void doClose() = 0;

private:
    SoundingNotes sounding_;
    bool open_ = false;
    std::string failureReason_;
};

} // namespace notaro::playback
