#include "tick_timer.h"

#include <QTimer>

#include <algorithm>

namespace orvanel {

TickTimer::TickTimer(MonotonicClock& clock, QObject* parent)
    : QObject(parent), clock_(clock), wakeUp_(new QTimer(this)) {
  ScheduleWakeUps();
  connect(wakeUp_, &QTimer::timeout, this, &TickTimer::RunDueTicks);
}

void TickTimer::start() {
  schedule_.Start(clock_.Now());
  active_ = true;
  ++starts_;
  wakeUp_->start();
}

void TickTimer::stop() {
  active_ = false;
  wakeUp_->stop();
}

// At full speed the wake-up comes as soon as the event loop has nothing else to
// do; back at one tick a millisecond, the ticks are counted from now on, none
// owed for the time at full speed.
void TickTimer::SetFullSpeed(bool on) {
  if (on == fullSpeed_) return;
  fullSpeed_ = on;
  ScheduleWakeUps();
  if (!on) schedule_.Start(clock_.Now());
  if (active_) wakeUp_->start();
}

void TickTimer::ScheduleWakeUps() {
  wakeUp_->setInterval(fullSpeed_ ? 0 : kWakeUpMilliseconds);
  wakeUp_->setTimerType(Qt::CoarseTimer);
}

void TickTimer::RunDueTicks() {
  if (!active_) return;
  if (fullSpeed_) {
    RunSlice(kMostTicksPerSlice);
    return;
  }
  const std::uint64_t run = starts_;
  const std::int64_t due = schedule_.TakeDue(clock_.Now());
  emit aboutToRunTicks();
  // Each tick may stop the timer (or stop and restart it, which begins a new
  // count); either ends this run.
  for (std::int64_t tick = 0; tick < due && active_ && starts_ == run; ++tick) emit timeout();
  emit ranDueTicks();
}

void TickTimer::RunSlice(std::int64_t ticks) {
  if (!active_) return;
  const std::uint64_t run = starts_;
  const auto until = clock_.Now() + kSlice;
  emit aboutToRunTicks();
  std::int64_t ran = 0;
  while (ran < ticks && active_ && starts_ == run) {
    // Ticks at once, on every core, in parts of about a quarter of a slice, so
    // that the window waits for its workers no longer than a slice.
    std::int64_t at_once = 0;
    if (atOnce_) {
      const auto before = clock_.Now();
      at_once = atOnce_(std::min(ticks - ran, ticksAtOnce_));
      const auto took = clock_.Now() - before;
      if (at_once == ticksAtOnce_ && took > std::chrono::nanoseconds(0)) {
        ticksAtOnce_ = std::clamp<std::int64_t>(at_once * (kSlice / 4) / took, 16, 1 << 22);
      }
    }
    if (at_once > 0) {
      ran += at_once;
      if (clock_.Now() >= until) break;
      continue;
    }
    // One at a time where they cannot run at once. The clock is asked every few
    // ticks: asking it costs a good part of a tick.
    emit timeout();
    ++ran;
    if (ran % 16 == 0 && clock_.Now() >= until) break;
  }
  emit ranDueTicks();
}

}  // namespace orvanel
