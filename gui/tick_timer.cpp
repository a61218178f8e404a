#include "tick_timer.h"

#include <QTimer>

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
  // The clock is asked every few ticks: asking it costs a good part of a tick.
  for (std::int64_t tick = 0; tick < ticks && active_ && starts_ == run; ++tick) {
    emit timeout();
    if (tick % 16 == 15 && clock_.Now() >= until) break;
  }
  emit ranDueTicks();
}

}  // namespace orvanel
