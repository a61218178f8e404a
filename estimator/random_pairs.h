#pragma once

#include <cstdint>
#include <random>

namespace orvanel {

struct Pair {
  std::int32_t first = 0;
  std::int32_t second = 0;
  friend bool operator==(const Pair&, const Pair&) = default;
};

// The source of random draws: single-precision values r with 0 <= r <= 1 - 2^-24.
class RandomGenerator {
 public:
  virtual ~RandomGenerator() = default;
  virtual void SeedFromClock() = 0;
  [[nodiscard]] virtual float Next() = 0;
};

// The default generator: a Mersenne Twister whose draws keep 24 random bits, so
// that r is exactly k / 2^24 and never rounds up to 1.0 (which
// std::generate_canonical<float> may do on some standard libraries).
class ClockSeededGenerator final : public RandomGenerator {
 public:
  void SeedFromClock() override;
  [[nodiscard]] float Next() override;

 private:
  std::mt19937 engine_;
};

// A pair from two draws: first in [2, 2147483509], second in [first, 2147483635].
// second is drawn from the stretch above first, so first <= second always.
[[nodiscard]] Pair DrawRandomPair(RandomGenerator& generator);

}  // namespace orvanel
