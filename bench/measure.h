#pragma once
// Timing for the benchmarks: the performance counter in milliseconds, and the order statistics
// the results table shows.

#include <vector>

namespace veilpix::bench {

// Milliseconds since an arbitrary start, at the performance counter's resolution.
double NowMs();

// The sample below which `fraction` of the samples lie (nearest rank); 0.5 gives the median.
double Percentile(std::vector<double> samples, double fraction);

}  // namespace veilpix::bench
