#include "playback/WavRenderer.h"

#include "playback/FluidSynthEngine.h"
#include "playback/LibraryChatter.h"
#include "playback/MidiOutDevice.h"
#include "playback/WavFile.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace notaro::playback {

namespace {

/// One channel message with its exact sample frame.
struct TimedMessage {
    int64_t frame;
    uint32_t msg;
};

/// Every channel message of every track in time order, each at its exact frame, from the
/// ticks and the tempo changes (a tempo change in any track applies to all).
bool timeMessages(const tMidiF04& source, int32_t sampleRate, std::vector<TimedMessage>& out,
                  int64_t& endFrame) {
    struct Item {
        int64_t tick;
        int32_t order;
        const tMidiEvt* ev;
    };
    tMidiF04 file;
    file.copyFrom(source);
    try {
        file.setEvtsAbsTicks();
    } catch (const std::exception&) {
        return false;
    }
    std::vector<Item> items;
    int32_t order = 0;
    for (int32_t t = 0; t < file.numOfTracks(); ++t) {
        const tMidiTrk& track = *file.tracks(t);
        for (int32_t i = 0; i < track.trkNEvents(); ++i)
            items.push_back({track.trkEvents(i).absTick, order++, &track.trkEvents(i)});
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.tick < b.tick; });

    const int16_t division = file.midiHdrDivision();
    // Time-code divisions count ticks per second; others count ticks per quarter note.
    const bool timeCode = division < 0;
    const double ticksPerSecondTC =
        timeCode ? static_cast<double>(-(division >> 8)) * (division & 0xFF) : 0.0;
    const double ppqn = timeCode ? 0.0 : std::max<int16_t>(division, 1);
    if (timeCode && ticksPerSecondTC <= 0)
        return false;

    double seconds = 0;
    double usPerQuarter = 500000;
    int64_t lastTick = 0;
    for (const Item& it : items) {
        const double dt = static_cast<double>(it.tick - lastTick);
        seconds += timeCode ? dt / ticksPerSecondTC : dt * usPerQuarter / 1e6 / ppqn;
        lastTick = it.tick;
        const tMidiEvt& ev = *it.ev;
        const auto frame = static_cast<int64_t>(std::llround(seconds * sampleRate));
        endFrame = frame;
        if (ev.eType == 3 && ev.eData.size() == 4 && static_cast<uint8_t>(ev.eData[0]) == 0x51) {
            usPerQuarter = (static_cast<uint8_t>(ev.eData[1]) << 16) |
                           (static_cast<uint8_t>(ev.eData[2]) << 8) |
                           static_cast<uint8_t>(ev.eData[3]);
        } else if (ev.eType == 1 && !ev.eData.empty()) {
            uint32_t msg = static_cast<uint8_t>(ev.eData[0]);
            if (ev.eData.size() > 1)
                msg |= static_cast<uint32_t>(static_cast<uint8_t>(ev.eData[1])) << 8;
            if (ev.eData.size() > 2)
                msg |= static_cast<uint32_t>(static_cast<uint8_t>(ev.eData[2])) << 16;
            out.push_back({frame, msg});
        }
    }
    return true;
}

struct SynthDeleter {
    void operator()(fluid_synth_t* s) const { delete_fluid_synth(s); }
};
struct SettingsDeleter {
    void operator()(fluid_settings_t* s) const { delete_fluid_settings(s); }
};

} // namespace

PlaybackResult renderMidiToWav(const tMidiF04& file, const std::string& wavPath,
                               const RenderOptions& options, RenderStats* stats) {
    std::vector<TimedMessage> messages;
    int64_t endFrame = 0;
    if (!timeMessages(file, options.sampleRate, messages, endFrame))
        return PlaybackResult::Error;

    silenceLibraryChatter();
    std::unique_ptr<fluid_settings_t, SettingsDeleter> settings(new_fluid_settings());
    if (!settings)
        return PlaybackResult::Error;
    fluid_settings_setnum(settings.get(), "synth.sample-rate", options.sampleRate);
    // The same level as live playback, so a rendering sounds like what Play gives.
    fluid_settings_setnum(settings.get(), "synth.gain", 0.6);
    // Only the instruments the score uses are read from the SoundFont.
    fluid_settings_setint(settings.get(), "synth.dynamic-sample-loading", 1);
    std::unique_ptr<fluid_synth_t, SynthDeleter> synth(new_fluid_synth(settings.get()));
    if (!synth)
        return PlaybackResult::Error;
    if (options.soundFont.empty() || !isSoundFontFile(options.soundFont) ||
        fluid_synth_sfload(synth.get(), options.soundFont.c_str(), 1) == FLUID_FAILED)
        return PlaybackResult::NoSoundFont;

    auto cancelled = [&options] {
        return options.cancel && options.cancel->load(std::memory_order_relaxed);
    };
    if (cancelled())
        return PlaybackResult::Cancelled;
    WavFile wav(wavPath, options.sampleRate, 2);
    if (!wav.open())
        return PlaybackResult::WriteFailed;

    constexpr int kChunkFrames = 4096;
    std::vector<int16_t> buf(2 * kChunkFrames);
    int64_t rendered = 0;
    PlaybackResult failure = PlaybackResult::Ok;
    // Renders up to the frame; false, with the reason in failure, when it must stop.
    auto renderTo = [&](int64_t frame) {
        while (rendered < frame) {
            if (cancelled()) {
                failure = PlaybackResult::Cancelled;
                return false;
            }
            const int n = static_cast<int>(std::min<int64_t>(kChunkFrames, frame - rendered));
            fluid_synth_write_s16(synth.get(), n, buf.data(), 0, 2, buf.data(), 1, 2);
            if (!wav.write(buf.data(), 2 * static_cast<size_t>(n))) {
                failure = PlaybackResult::WriteFailed;
                return false;
            }
            rendered += n;
        }
        return true;
    };

    const int64_t total = std::max<int64_t>(endFrame, 1);
    int64_t nextReport = 0;
    for (const TimedMessage& m : messages) {
        if (!renderTo(m.frame))
            return failure;
        sendShortMsgToSynth(synth.get(), m.msg);
        if (stats)
            stats->eventFrames.push_back(m.frame);
        if (options.progress && m.frame >= nextReport) {
            options.progress(static_cast<double>(m.frame) / total);
            nextReport = m.frame + options.sampleRate;
        }
    }
    if (!renderTo(endFrame))
        return failure;
    // Let the last notes die away, but no longer than the tail allows.
    const int64_t tailEnd =
        endFrame + static_cast<int64_t>(options.maxTailSeconds * options.sampleRate);
    while (rendered < tailEnd && fluid_synth_get_active_voice_count(synth.get()) > 0)
        if (!renderTo(std::min<int64_t>(rendered + 1024, tailEnd)))
            return failure;
    if (cancelled())
        return PlaybackResult::Cancelled;
    if (!wav.commit())
        return PlaybackResult::WriteFailed;
    if (options.progress)
        options.progress(1.0);
    if (stats) {
        stats->frames = rendered;
        stats->events = static_cast<int64_t>(messages.size());
    }
    return PlaybackResult::Ok;
}

} // namespace notaro::playback
