#pragma once

#include <chrono>
#include <cstdint>

namespace orvanel {

// Which ticks of a 1 ms timer have come due, counted from a monotonic clock
// since the timer was started. The window wakes about once per display frame and
// runs the due ticks one after the other, so the trials keep the timer's full
// rate without waking the processor a thousand times a second.
class TickSchedule {
 public:
  using Time = std::chrono::nanoseconds;
  static constexpr Time kInterval = std::chrono::milliseconds(1);
  // After a stall (a suspended machine, a long modal operation, a debugger) at
  // most this many overdue ticks run in one wake-up; the rest are dropped, not
  // owed. 64 ticks are four frames' worth: a late frame or two loses nothing,
  // yet the run that follows a stall stays well under a millisecond of trials,
  // so the window answers at once.
  static constexpr std::int64_t kMaxTicksPerWakeUp = 64;

  // The first tick comes due one interval after `now`.
  void Start(Time now);
  // The ticks due at `now` that were not handed out before (at most
  // kMaxTicksPerWakeUp), counted as handed out.
  [[nodiscard]] std::int64_t TakeDue(Time now);

 private:
  Time start_{};
  std::int64_t handedOut_ = 0;
};

}  // namespace orvanel
