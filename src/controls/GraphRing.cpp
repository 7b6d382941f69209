#include "controls/GraphRing.h"

#include <algorithm>

namespace glimmer {

void GraphRing::resize(int size) {
    m_values.resize(static_cast<size_t>(std::max(size, 1)), 0);
    if (m_start >= this->size())
        m_start = 0;
}

void GraphRing::append(int32_t value) {
    m_values[static_cast<size_t>(m_start)] = value;
    if (++m_start >= size())
        m_start = 0;
}

void GraphRing::prepend(int32_t value) {
    m_values[static_cast<size_t>(m_start)] = value;
    if (--m_start < 0)
        m_start = size() - 1;
}

void GraphRing::reset() {
    std::fill(m_values.begin(), m_values.end(), 0);
    m_start = 0;
}

} // namespace glimmer
