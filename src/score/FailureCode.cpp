#include "score/FailureCode.h"

#include "base/OverflowError.h"
#include "score/DurationError.h"
#include "score/ScoreCodes.h"

#include <new>
#include <stdexcept>

namespace notaro {

int64_t failureCode(const std::exception& e) {
    if (const auto* d = dynamic_cast<const DurationError*>(&e))
        return static_cast<int32_t>(d->number());
    if (dynamic_cast<const OverflowError*>(&e))
        return code(UnexpectedError::Overflow);
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return code(UnexpectedError::OutOfMemory);
    if (dynamic_cast<const std::out_of_range*>(&e))
        return code(UnexpectedError::OutOfRange);
    return code(UnexpectedError::Other);
}

} // namespace notaro
