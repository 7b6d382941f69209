#include "interchange/InterchangeResult.h"

#include <ostream>

namespace notaro::interchange {

std::ostream& operator<<(std::ostream& os, InterchangeResult r) {
    static const char* const kNames[] = {
        "Ok",      "CannotRead", "NoBeats",   "NoMelodicLine", "NoSuchLine", "LengthNotWritable",
        "TooLong", "TooFine",    "NotWritten"};
    const int32_t n = code(r);
    const char* name = n >= 0 && n < 9 ? kNames[n] : "Unknown";
    return os << name << " (" << n << ")";
}

} // namespace notaro::interchange
