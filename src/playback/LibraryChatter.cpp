#include "playback/LibraryChatter.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>
#include <mutex>

namespace notaro::playback {

namespace {

void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

void quietFluid(int, const char*, void*) {}

} // namespace

void silenceLibraryChatter() {
    static std::once_flag once;
    std::call_once(once, [] {
        snd_lib_error_set_handler(quietAlsa);
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
            fluid_set_log_function(level, quietFluid, nullptr);
    });
}

} // namespace notaro::playback
