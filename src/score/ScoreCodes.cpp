#include "score/ScoreCodes.h"

#include "base/ResultCodeText.h"

namespace notaro {

std::ostream& operator<<(std::ostream& os, DurationResult r) {
    using R = DurationResult;
    static const std::pair<R, const char*> kNames[] = {
        {R::Ok, "Ok"}, {R::NoMatch, "NoMatch"}, {R::Failed, "Failed"}, {R::Overflow, "Overflow"}};
    return base::writeResultCode(os, r, kNames);
}

std::ostream& operator<<(std::ostream& os, SumResult r) {
    static const std::pair<SumResult, const char*> kNames[] = {{SumResult::Ok, "Ok"},
                                                               {SumResult::Overflow, "Overflow"}};
    return base::writeResultCode(os, r, kNames);
}

} // namespace notaro
