#include "FailureCode.h"

#include "DurationError.h"
#include "OverflowError.h"

#include <new>
#include <stdexcept>

namespace notaro {

int64_t failureCode(const std::exception& e) {
    if (const auto* d = dynamic_cast<const DurationError*>(&e))
        return static_cast<int32_t>(d->number());
    if (dynamic_cast<const OverflowError*>(&e))
        return 6;
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return 7;
    if (dynamic_cast<const std::out_of_range*>(&e))
        return 9;
    return 5;
}

} // namespace notaro
