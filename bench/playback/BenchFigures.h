#pragma once

#include <vector>

namespace notaro::bench {

/// Processor seconds this process has used so far, every thread counted.
double cpuSeconds();

/// The value at fraction p (0 to 1) of the sorted values, the nearest rank; v is not empty.
double percentile(std::vector<double> v, double p);

} // namespace notaro::bench
