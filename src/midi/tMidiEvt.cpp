#include "midi/tMidiEvt.h"

namespace notaro {

void tMidiEvt::copyFrom(const tMidiEvt& srcEvt) {
    eType = srcEvt.eType;
    eData = srcEvt.eData;
    deltaTick = srcEvt.deltaTick;
    absTick = srcEvt.absTick;
    absMS = srcEvt.absMS;
}

} // namespace notaro
