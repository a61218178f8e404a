#include "random_generator.h"

#include <chrono>
#include <random>

namespace orvanel {

void ClockSeededGenerator::SeedFromClock() {
  if (!keyGiven_) {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    // Both clocks, mixed, so that two starts in the same second differ.
    std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32),
                       static_cast<std::uint32_t>(wall), static_cast<std::uint32_t>(wall >> 32)};
    seed.generate(key_.begin(), key_.end());
  }
  draws_ = DrawStream(key_);
}

}  // namespace orvanel
