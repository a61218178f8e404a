#pragma once

#include <cstdint>

#include "draw_stream.h"

namespace orvanel {

// Draws that any thread can work out from their number alone: a counter-based
// generator's. Full Speed splits a run of ticks among threads with them.
class NumberedDraws {
 public:
  [[nodiscard]] virtual const DrawStream::Key& RunKey() const = 0;
  // The number of the next draw.
  [[nodiscard]] virtual std::uint64_t Position() const = 0;
  // Goes on `draws` further, as if every draw between had been taken.
  virtual void Skip(std::uint64_t draws) = 0;

 protected:
  ~NumberedDraws() = default;
};

// The source of random draws: single-precision values r with 0 <= r <= 1 - 2^-24.
class RandomGenerator {
 public:
  virtual ~RandomGenerator() = default;
  virtual void SeedFromClock() = 0;
  [[nodiscard]] virtual float Next() = 0;
  // The draws by their number, where this generator has them; nothing where
  // each draw needs the one before it.
  [[nodiscard]] virtual NumberedDraws* ByNumber() { return nullptr; }
};

// The default generator, counter-based (draw_stream.h): draw number n of a run
// is a pure function of the run's key and of n, so that a run can be continued
// from any draw, by any thread, without the draws before it.
class ClockSeededGenerator final : public RandomGenerator, public NumberedDraws {
 public:
  using Key = DrawStream::Key;

  ClockSeededGenerator() = default;
  // A run with a key of its own, which seeding keeps (tests, benchmarks).
  explicit ClockSeededGenerator(Key key) : key_(key), keyGiven_(true), draws_(key) {}

  // A new key from the clock (unless one was given); the run starts at its
  // first draw.
  void SeedFromClock() override;
  [[nodiscard]] float Next() override { return draws_.Next(); }
  [[nodiscard]] NumberedDraws* ByNumber() override { return this; }

  [[nodiscard]] const Key& RunKey() const override { return key_; }
  [[nodiscard]] std::uint64_t Position() const override { return draws_.Position(); }
  void Skip(std::uint64_t draws) override { draws_ = DrawStream(key_, Position() + draws); }

 private:
  Key key_{};
  bool keyGiven_ = false;
  DrawStream draws_;
};

}  // namespace orvanel
