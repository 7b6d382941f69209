// The readers of note values ("4.", "3/8") and pitches ("cc#", "BB-") on any text: what they
// accept they write back in a form that reads as the same value.
#include "FuzzSupport.h"
#include "OverflowError.h"
#include "cDuration.h"
#include "cNotePAO.h"

using namespace notaro;
using fuzz::require;

namespace {

void checkDuration(std::string_view text) {
    cDuration dotted;
    const int32_t used = dotted.fromNDots(text);
    require(used == -1 || used == -2 || (used > 0 && static_cast<size_t>(used) <= text.size()),
            "a note value reads only characters it was given");
    if (used > 0)
        require(dotted.Numer() > 0 && dotted.Denom() > 0, "a note value is positive");

    cDuration ratio;
    try {
        if (ratio.fromStr(text) != 0)
            return;
    } catch (const OverflowError&) {
        return; // a number past 32 bits is refused with this error, as documented
    }
    require(ratio.Denom() > 0, "a ratio reads with a positive denominator");
    cDuration again;
    require(again.fromStr(ratio.toStr()) == 0 && again.Numer() == ratio.Numer() &&
                again.Denom() == ratio.Denom(),
            "a ratio written as text reads back the same");
    if (used > 0) {
        cDuration sum = ratio;
        try {
            if (sum.Add(dotted) == 0)
                require(sum.Comp(ratio) > 0, "adding a note value makes a longer duration");
        } catch (const OverflowError&) {
            // Comp lets an overflow of its cross products pass, as documented.
        }
        ratio.isTuplet();
    }
}

void checkPitch(std::string_view text, bool solfege) {
    cNotePAO pitch;
    const int32_t used = pitch.fromStr(text, solfege);
    if (used < 0)
        return;
    require(used > 0 && static_cast<size_t>(used) <= text.size(),
            "a pitch reads only characters it was given");
    const std::string written = pitch.toStr(solfege);
    cNotePAO again;
    require(again.fromStr(written, solfege) == static_cast<int32_t>(written.size()) &&
                again.isEqualTo(pitch),
            "a pitch written as text reads back the same");
    const float midi = pitch.tMidi();
    require(midi >= 0.0f && midi < 128.0f, "a pitch is a MIDI note");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = fuzz::bytesOf(data, size);
    checkDuration(text);
    checkPitch(text, false);
    checkPitch(text, true);
    return 0;
}
