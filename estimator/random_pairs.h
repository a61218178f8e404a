#pragma once

#include <array>
#include <cstdint>

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

// The default generator, counter-based: draw number n of a run is a pure
// function of the run's key and of n (Philox4x32-10 of Random123, which passes
// TestU01's BigCrush), so that a run can be continued from any draw, by any
// thread, without the draws before it. Each draw keeps 24 random bits, so that
// r is exactly k / 2^24 and never rounds up to 1.0.
class ClockSeededGenerator final : public RandomGenerator {
 public:
  using Key = std::array<std::uint32_t, 2>;

  ClockSeededGenerator() = default;
  // A run with a key of its own, which seeding keeps (tests, benchmarks).
  explicit ClockSeededGenerator(Key key) : key_(key), keyGiven_(true) {}

  // A new key from the clock (unless one was given); the run starts at its
  // first draw.
  void SeedFromClock() override;
  [[nodiscard]] float Next() override;

  [[nodiscard]] const Key& RunKey() const { return key_; }
  // The number of the next draw.
  [[nodiscard]] std::uint64_t Position() const { return position_; }
  // Goes on from draw `position`, as if every draw before it had been taken.
  void Skip(std::uint64_t draws) { position_ += draws; }

 private:
  Key key_{};
  bool keyGiven_ = false;
  std::uint64_t position_ = 0;
};

// Draw number `position` of the run with `key`: what ClockSeededGenerator::Next
// gives at that position. The 128-bit counter is the position's block of four.
[[nodiscard]] float DrawAt(const ClockSeededGenerator::Key& key, std::uint64_t position);

// The four draws of block `block` (positions 4 * block to 4 * block + 3), at once.
[[nodiscard]] std::array<float, 4> DrawBlock(const ClockSeededGenerator::Key& key,
                                             std::uint64_t block);

// A pair from two draws: first in [2, 2147483509], second in [first, 2147483635].
// second is drawn from the stretch above first, so first <= second always.
[[nodiscard]] Pair DrawRandomPair(RandomGenerator& generator);

// The same pair from the two draws r1 and r2 themselves.
[[nodiscard]] Pair PairFromDraws(float r1, float r2);

}  // namespace orvanel
