#pragma once

#include <chrono>

namespace orvanel {

// A clock that only moves forward, for counting the timer's due ticks; tests
// move a fake one by hand.
class MonotonicClock {
 public:
  virtual ~MonotonicClock() = default;
  [[nodiscard]] virtual std::chrono::nanoseconds Now() const = 0;
};

class SteadyClock final : public MonotonicClock {
 public:
  [[nodiscard]] std::chrono::nanoseconds Now() const override {
    return std::chrono::steady_clock::now().time_since_epoch();
  }
};

}  // namespace orvanel
