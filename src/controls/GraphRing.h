#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace glimmer {

/// The values of a scrolling graph: a ring of signed 32-bit values with a moving start index.
/// Appending stores at the start index and moves it forward; prepending stores there and moves
/// it back, so the oldest value drops out at the other end without any copying.
class GraphRing {
public:
    explicit GraphRing(int size = 10) : m_values(static_cast<size_t>(size < 1 ? 1 : size), 0) {}

    int size() const { return static_cast<int>(m_values.size()); }
    int start() const { return m_start; }

    /// Changes the number of values (at least 1), keeping the values that still fit; the start
    /// index goes back to 0 when it falls outside.
    void resize(int size);
    void append(int32_t value);
    void prepend(int32_t value);
    /// Slot @p index of the ring; the caller checks 0 ≤ index < size().
    int32_t at(int index) const { return m_values[static_cast<size_t>(index)]; }
    void set(int index, int32_t value) { m_values[static_cast<size_t>(index)] = value; }
    /// The k-th point of the plot (k from 1): the slot (start + k − 1) modulo size.
    int32_t point(int k) const { return at((m_start + k - 1) % size()); }
    /// All values 0, start index 0.
    void reset();

private:
    std::vector<int32_t> m_values;
    int m_start = 0;
};

} // namespace glimmer
