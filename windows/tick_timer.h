#pragma once

#include <QObject>

#include <cstdint>

#include "monotonic_clock.h"
#include "tick_schedule.h"

class QTimer;

namespace orvanel {

// A timer with an interval of 1 millisecond whose ticks are delivered in runs:
// it wakes about once per display frame and emits timeout() once for every tick
// that has come due since the last wake-up, one after the other. A tick that
// stops the timer ends the run at once. While stopped it never wakes.
class TickTimer final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kWakeUpMilliseconds = 16;  // about one frame of a 60 Hz display

  TickTimer(MonotonicClock& clock, QObject* parent);

  // Ticks are counted from the moment of the start.
  void start();
  void stop();
  [[nodiscard]] bool isActive() const { return active_; }
  [[nodiscard]] int interval() const { return 1; }

  // One wake-up: runs the ticks due by now. The timer's own wake-ups call it;
  // a test with a fake clock calls it in their place.
  void RunDueTicks();

 signals:
  void timeout();
  // After the ticks of one wake-up, whether or not any came due.
  void ranDueTicks();

 private:
  MonotonicClock& clock_;
  TickSchedule schedule_;
  QTimer* wakeUp_;
  bool active_ = false;
  std::uint64_t starts_ = 0;
};

}  // namespace orvanel
