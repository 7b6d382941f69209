#pragma once

namespace notaro::playback {

/// Stops the sound libraries (libasound, FluidSynth) from writing their diagnostics to
/// stderr: we report failures through result codes instead. Safe to call any number of times.
void silenceLibraryChatter();

} // namespace notaro::playback
