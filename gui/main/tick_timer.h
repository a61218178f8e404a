#pragma once

#include <QObject>

#include <chrono>
#include <cstdint>
#include <functional>

#include "gui/platform/monotonic_clock.h"
#include "tick_schedule.h"

class QTimer;

namespace orvanel {

namespace testing {
class TickTimerPeer;
}

// A timer with an interval of 1 millisecond whose ticks are delivered in runs:
// it wakes about once per display frame and emits timeout() once for every tick
// that has come due since the last wake-up, one after the other. A tick that
// stops the timer ends the run at once. While stopped it never wakes.
//
// At full speed the same ticks run back to back, as fast as the machine allows,
// in slices of a few milliseconds with the event loop between them, so that the
// window answers a click or a key within a slice. Leaving full speed returns to
// one tick a millisecond, counted from that moment.
class TickTimer final : public QObject {
  Q_OBJECT

 public:
  static constexpr int kWakeUpMilliseconds = 16;  // about one frame of a 60 Hz display
  static constexpr std::chrono::milliseconds kSlice{8};
  // A slice's ticks when the clock does not move (a test's clock): a bound, not
  // a goal.
  static constexpr std::int64_t kMostTicksPerSlice = 1 << 20;

  TickTimer(MonotonicClock& clock, QObject* parent);

  // Ticks are counted from the moment of the start.
  void start();
  void stop();
  [[nodiscard]] bool isActive() const { return active_; }
  [[nodiscard]] int interval() const { return 1; }

  void SetFullSpeed(bool on);
  [[nodiscard]] bool FullSpeed() const { return fullSpeed_; }

  // At full speed, runs up to as many ticks as it is given at once, and says
  // how many it ran (none where it cannot: those run one at a time).
  using AtOnce = std::function<std::int64_t(std::int64_t ticks)>;
  void RunAtOnceWith(AtOnce at_once) { atOnce_ = std::move(at_once); }

 signals:
  // Before the ticks of one wake-up or slice, whether or not any come due.
  void aboutToRunTicks();
  void timeout();
  // After them.
  void ranDueTicks();

 private:
  // Tests with a fake clock wake the timer themselves.
  friend class testing::TickTimerPeer;

  // One wake-up: runs the ticks due by now, or at full speed a slice.
  void RunDueTicks();
  // A slice at full speed: ticks back to back for kSlice, at most `ticks` of them.
  void RunSlice(std::int64_t ticks);

  void ScheduleWakeUps();

  MonotonicClock& clock_;
  TickSchedule schedule_;
  QTimer* wakeUp_;
  bool active_ = false;
  bool fullSpeed_ = false;
  std::uint64_t starts_ = 0;
  AtOnce atOnce_;
  // Ticks run at once in about a quarter of a slice, learnt as they run.
  std::int64_t ticksAtOnce_ = 1024;
};

}  // namespace orvanel
