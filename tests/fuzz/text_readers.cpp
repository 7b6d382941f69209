// The readers of note values ("4.", "3/8") and pitches ("cc#", "BB-") on any text: what they
// accept they write back in a form that reads as the same value.
#include "base/OverflowError.h"
#include "score/cDuration.h"
#include "score/cNotePAO.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace notaro;
using fuzz::require;

namespace {

void checkDuration(std::string_view text) {
    cDuration dotted;
    int32_t used = 0;
    const DurationResult rc = dotted.fromNDots(text, used);
    require(rc == DurationResult::Ok ? used > 0 && static_cast<size_t>(used) <= text.size()
                                     : used == 0,
            "a note value reads only characters it was given");
    if (used > 0)
        require(dotted.Numer() > 0 && dotted.Denom() > 0, "a note value is positive");

    cDuration ratio;
    DurationResult read = DurationResult::NoMatch; // a number past 32 bits throws
    if (fuzz::throws<OverflowError>([&] { read = ratio.fromStr(text); }) ||
        read != DurationResult::Ok)
        return;
    require(ratio.Denom() > 0, "a ratio reads with a positive denominator");
    cDuration again;
    require(again.fromStr(ratio.toStr()) == DurationResult::Ok && again.Numer() == ratio.Numer() &&
                again.Denom() == ratio.Denom(),
            "a ratio written as text reads back the same");
    if (used > 0) {
        cDuration sum = ratio; // Comp lets an overflow of its cross products pass
        fuzz::throws<OverflowError>([&] {
            if (sum.Add(dotted) == DurationResult::Ok)
                require(sum.Comp(ratio) > 0, "adding a note value makes a longer duration");
        });
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
    require(pitch.tMidi() >= 0.0f && pitch.tMidi() < 128.0f, "a pitch is a MIDI note");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text = fuzz::bytesOf(data, size);
    checkDuration(text);
    checkPitch(text, false);
    checkPitch(text, true);
    return 0;
}
