#pragma once
// One row of the results table scripts/bench.sh prints: a figure of Veilpix, the floor it is
// measured against in the same run, and how many times the floor Veilpix takes.

#include <string_view>

namespace veilpix::bench {

void PrintRow(std::string_view figure, double veilpix, double floor, std::string_view unit,
              std::string_view floor_name);

}  // namespace veilpix::bench
