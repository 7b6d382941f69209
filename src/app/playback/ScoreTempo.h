#pragma once

#include <cstdint>

namespace notaro {
class cTParse;
}

namespace notaro::app {

/// The score's tempo in quarter notes per minute at record: the tempo in force before it,
/// changed by the tempo directives from it up to the first note or rest (as a play from there
/// starts). A record past the end gives the tempo in force at the end.
int32_t scoreTempoAt(const cTParse& score, int32_t record);

} // namespace notaro::app
