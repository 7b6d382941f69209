#include "app/playback/ScoreTempo.h"

#include "score/cTParse.h"

#include <algorithm>

namespace notaro::app {

int32_t scoreTempoAt(const cTParse& score, int32_t record) {
    const int32_t n = score.nNotes();
    if (n == 0)
        return cTParse::kDefaultTempo;
    int32_t i = (record < 0 || record > n) ? n - 1 : std::min(record, n - 1);
    int32_t qnpm = score.getPrevQNPM(i);
    for (; i < n && score.theNotes(i).isDirective(); ++i)
        if (score.theNotes(i).eventType == cGnsNote::kTempo)
            qnpm = score.theNotes(i).xVal;
    return qnpm;
}

} // namespace notaro::app
