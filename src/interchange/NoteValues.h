#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

namespace notaro::interchange {

/// A note value the score language can write: the number before the pitch (0 to 99, 0 the
/// double whole note) with 0 to 2 dots, and its length in units (MeterGrid.h).
struct WrittenValue {
    int32_t value = 4;
    int32_t dots = 0;
    int64_t units = 192;
};

/// The note values a length in units can be written with, alone or tied. The tables of which
/// lengths can be written are made once per grain and kept, so one object is best shared.
class NoteValues {
public:
    NoteValues();

    /// The one value of exactly this length, if there is one: the plainest (a power-of-two
    /// value before a tuplet, fewer dots before more).
    std::optional<WrittenValue> single(int64_t units) const;
    /// Values that add up to units, each a multiple of grain, the longest first: the tied
    /// notes (or rests) of one stretch within a bar. Empty when there is no such sum.
    std::vector<WrittenValue> split(int64_t units, int64_t grain) const;
    /// Every writable length once, longest first.
    const std::vector<WrittenValue>& all() const { return values_; }

private:
    /// Whether k grains can be written, for k up to the table's size.
    const std::vector<bool>& reachable(int64_t grain) const;

    std::vector<WrittenValue> values_; ///< unique lengths, longest first
    mutable std::map<int64_t, std::vector<bool>> reachable_;
    mutable std::mutex mutex_; ///< one object serves every import, on any thread
};

} // namespace notaro::interchange
