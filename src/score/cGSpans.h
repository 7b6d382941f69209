#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace notaro {

/// A growable list of named index ranges; the parser keeps its definitions in one.
///
/// An iSpan argument selects a span by 0-based position, kNewest meaning the newest span; any
/// other position outside the list throws std::out_of_range. Searches give kNoSpan when
/// nothing matches.
class cGSpans {
public:
    /// The iSpan that selects the newest span.
    static constexpr int32_t kNewest = -1;
    /// What the searches give when no span matches.
    static constexpr int32_t kNoSpan = -1;

    void clear();
    /// Appends a span and returns its position.
    int32_t addGSpan(const std::string& gSpanStr, int32_t iFirst, double iLast);
    /// Position of the oldest span with iFirst <= index <= iLast; kNoSpan when none.
    int32_t coveringSpan(int32_t index) const;
    /// Position of the newest span with iFirst <= index <= iLast; kNoSpan when none.
    int32_t coveringSpan2(int32_t index) const;
    /// Position of the newest span named `name` without regard to case; kNoSpan when none.
    int32_t seachBack(const std::string& name) const;
    int32_t NumSpans() const noexcept { return numSpans_; }
    /// Allocated spans; grows by arrSizeIncr at a time.
    int32_t spanCapacity() const noexcept { return static_cast<int32_t>(spans_.size()); }

    int32_t iFirst(int32_t iSpan) const { return at(iSpan).iFirst; }
    void setIFirst(int32_t iSpan, int32_t v) { at(iSpan).iFirst = v; }
    int32_t iLast(int32_t iSpan) const { return at(iSpan).iLast; }
    void setILast(int32_t iSpan, int32_t v) { at(iSpan).iLast = v; }
    const std::string& gVal(int32_t iSpan) const { return at(iSpan).gVal; }
    void setGVal(int32_t iSpan, const std::string& v) { at(iSpan).gVal = v; }
    int32_t xVal(int32_t iSpan) const { return at(iSpan).xVal; }
    void setXVal(int32_t iSpan, int32_t v) { at(iSpan).xVal = v; }
    const std::shared_ptr<void>& xObj(int32_t iSpan) const { return at(iSpan).xObj; }
    void setXObj(int32_t iSpan, std::shared_ptr<void> v) { at(iSpan).xObj = std::move(v); }

    int32_t arrSizeIncr() const noexcept { return arrSizeIncr_; }
    /// Sets the growth step; a step below 1 is taken as 1 so that the list can always grow.
    void setArrSizeIncr(int32_t v) noexcept { arrSizeIncr_ = v < 1 ? 1 : v; }

private:
    struct Span {
        std::string gVal;
        int32_t iFirst = 0;
        int32_t iLast = 0;
        int32_t xVal = 0;
        std::shared_ptr<void> xObj;
    };

    Span& at(int32_t iSpan);
    const Span& at(int32_t iSpan) const;
    void ensureSpanRoom();

    std::vector<Span> spans_;
    int32_t numSpans_ = 0;
    int32_t arrSizeIncr_ = 20;
};

} // namespace notaro
