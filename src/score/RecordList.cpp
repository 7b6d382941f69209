#include "score/RecordList.h"

#include <new>
#include <stdexcept>

namespace notaro {

int32_t RecordList::appendRecord(int32_t limit) {
    if (count_ >= limit)
        return kNoRecord;
    try {
        // A new block's slots are fresh default records, ready to fill.
        if (count_ >= capacity())
            blocks_.push_back(std::make_unique<cGnsNote[]>(kGrowthStep));
    } catch (const std::bad_alloc&) {
        return kNoRecord;
    }
    return count_++;
}

void RecordList::clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    count_ = 0;
}

const cGnsNote& RecordList::at(int32_t i) const {
    if (i < 0 || i >= count_)
        throw std::out_of_range("no record at that index");
    return (*this)[i];
}

} // namespace notaro
