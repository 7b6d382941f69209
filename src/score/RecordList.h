#pragma once

#include "score/cGnsNote.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace notaro {

/// The parser's list of records, growing 100 slots at a time.
///
/// Slots live in fixed blocks of 100, so growing never moves or copies the records already
/// made: appending stays constant time however long the list gets.
class RecordList {
public:
    static constexpr int32_t kGrowthStep = 100;
    /// What appendRecord gives when no record was added.
    static constexpr int32_t kNoRecord = -1;

    /// Index of a new default record, or kNoRecord when the list may not grow past `limit`.
    int32_t appendRecord(int32_t limit);
    void clear();

    int32_t size() const noexcept { return count_; }
    int32_t capacity() const noexcept { return static_cast<int32_t>(blocks_.size()) * kGrowthStep; }
    cGnsNote& operator[](int32_t i) { return blocks_[i / kGrowthStep][i % kGrowthStep]; }
    const cGnsNote& operator[](int32_t i) const {
        return blocks_[i / kGrowthStep][i % kGrowthStep];
    }
    /// The record at i; std::out_of_range outside 0..size()-1.
    const cGnsNote& at(int32_t i) const;
    cGnsNote& back() { return (*this)[count_ - 1]; }

private:
    std::vector<std::unique_ptr<cGnsNote[]>> blocks_;
    int32_t count_ = 0;
};

} // namespace notaro
