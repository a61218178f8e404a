#pragma once

#include <array>
#include <cstddef>
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

// The draws of a run with `key` (a pure function of the key and the draw's
// number), from draw `position` on. The 128-bit counter of Philox4x32-10 is a
// draw's block of four, so that each block is computed once for its four draws.
class DrawStream {
 public:
  using Key = std::array<std::uint32_t, 2>;

  explicit DrawStream(const Key& key = {}, std::uint64_t position = 0);
  [[nodiscard]] float Next() {
    if (lane_ == draws_.size()) NextBlock();
    return draws_[lane_++];
  }
  // The number of the next draw.
  [[nodiscard]] std::uint64_t Position() const { return 4 * block_ + lane_; }

 private:
  [[nodiscard]] static std::array<float, 4> Block(const Key& key, std::uint64_t block);
  void NextBlock();

  Key key_;
  std::uint64_t block_;
  std::array<float, 4> draws_;
  std::size_t lane_;
};

// The default generator, counter-based: draw number n of a run is a pure
// function of the run's key and of n (Philox4x32-10 of Random123, which passes
// TestU01's BigCrush), so that a run can be continued from any draw, by any
// thread, without the draws before it. Each draw keeps 24 random bits, so that
// r is exactly k / 2^24 and never rounds up to 1.0.
class ClockSeededGenerator final : public RandomGenerator {
 public:
  using Key = DrawStream::Key;

  ClockSeededGenerator() = default;
  // A run with a key of its own, which seeding keeps (tests, benchmarks).
  explicit ClockSeededGenerator(Key key) : key_(key), keyGiven_(true), draws_(key) {}

  // A new key from the clock (unless one was given); the run starts at its
  // first draw.
  void SeedFromClock() override;
  [[nodiscard]] float Next() override { return draws_.Next(); }

  [[nodiscard]] const Key& RunKey() const { return key_; }
  // The number of the next draw.
  [[nodiscard]] std::uint64_t Position() const { return draws_.Position(); }
  // Goes on `draws` further, as if every draw between had been taken.
  void Skip(std::uint64_t draws) { draws_ = DrawStream(key_, Position() + draws); }

 private:
  Key key_{};
  bool keyGiven_ = false;
  DrawStream draws_;
};

// A pair from two draws: first in [2, 2147483509], second in [first, 2147483635].
// second is drawn from the stretch above first, so first <= second always.
[[nodiscard]] Pair DrawRandomPair(RandomGenerator& generator);

// The same pair from the two draws r1 and r2 themselves.
[[nodiscard]] Pair PairFromDraws(float r1, float r2);

}  // namespace orvanel
