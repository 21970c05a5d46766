#include "bench/report.h"

#include <cstdio>

namespace veilpix::bench {

void PrintRow(std::string_view figure, double veilpix, double floor, std::string_view unit,
              std::string_view floor_name) {
  const auto text = [](std::string_view view) { return static_cast<int>(view.size()); };
  std::printf("| %.*s | %.1f %.*s | %.1f %.*s (%.*s) | %.2f |\n", text(figure), figure.data(),
              veilpix, text(unit), unit.data(), floor, text(unit), unit.data(), text(floor_name),
              floor_name.data(), floor > 0 ? veilpix / floor : 0.0);
  std::fflush(stdout);
}

}  // namespace veilpix::bench
