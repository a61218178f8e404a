#include "tick_schedule.h"

#include <algorithm>

namespace orvanel {

void TickSchedule::Start(Time now) {
  start_ = now;
  handedOut_ = 0;
}

std::int64_t TickSchedule::TakeDue(Time now) {
  const std::int64_t due_since_start = std::max<std::int64_t>(0, (now - start_) / kInterval);
  const std::int64_t due = due_since_start - handedOut_;
  if (due <= 0) return 0;
  handedOut_ = due_since_start;  // what is beyond the bound is dropped with the rest
  return std::min(due, kMaxTicksPerWakeUp);
}

}  // namespace orvanel
