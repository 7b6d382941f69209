#include "playback/PracticeOptions.h"

namespace notaro::playback {

bool PracticeOptions::isValid() const noexcept {
    return passes >= 0 && countInBars >= 0 && countInBars <= kMaxCountInBars &&
           beatsPerBar >= kMinBeatsPerBar && beatsPerBar <= kMaxBeatsPerBar &&
           tempoPercent >= kMinTempoPercent && tempoPercent <= kMaxTempoPercent &&
           (!ramp.on || ramp.isValid());
}

} // namespace notaro::playback
