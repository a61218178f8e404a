#include "tick_timer.h"

#include <QTimer>

namespace orvanel {

TickTimer::TickTimer(MonotonicClock& clock, QObject* parent)
    : QObject(parent), clock_(clock), wakeUp_(new QTimer(this)) {
  wakeUp_->setInterval(kWakeUpMilliseconds);
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

void TickTimer::RunDueTicks() {
  if (!active_) return;
  const std::uint64_t run = starts_;
  const std::int64_t due = schedule_.TakeDue(clock_.Now());
  // Each tick may stop the timer (or stop and restart it, which begins a new
  // count); either ends this run.
  for (std::int64_t tick = 0; tick < due && active_ && starts_ == run; ++tick) emit timeout();
  emit ranDueTicks();
}

}  // namespace orvanel
