#pragma once

#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

#include "monotonic_clock.h"
#include "trial_tally.h"

class QLabel;

namespace orvanel {

// The words of the three status lines around their figures.
[[nodiscard]] QString EstimateLine(double estimate);
[[nodiscard]] QString TotalLine(std::int32_t total);
[[nodiscard]] QString HitsLine(std::int32_t relatively_prime);

// The three status lines on screen. A tick may hand them new figures four times
// and a wake-up runs many ticks; nobody can read them that often, and drawing is
// what costs. So figures handed over during ticks are only noted, and drawn once
// the run is over: at most every kRedrawInterval while trials run (with wake-ups
// every 16 ms, every third one, about 21 times a second), and at once when they
// stop. Only a label whose text changed is repainted.
class StatusLines {
 public:
  static constexpr std::chrono::milliseconds kRedrawInterval{40};

  StatusLines(QLabel& estimate, QLabel& total, QLabel& hits, const MonotonicClock& clock);

  void Show(const StatusFigures& figures);
  // Called with the figures each time they are drawn.
  void OnShown(std::function<void(const StatusFigures&)> shown) { onShown_ = std::move(shown); }
  void Note(const StatusFigures& figures) { noted_ = figures; }
  // After a run of ticks while trials go on.
  void ShowNotedWhenDue();
  void ShowNoted();

 private:
  QLabel& estimate_;
  QLabel& total_;
  QLabel& hits_;
  const MonotonicClock& clock_;
  std::optional<StatusFigures> noted_;
  std::chrono::nanoseconds lastShown_{};
  std::function<void(const StatusFigures&)> onShown_;
};

}  // namespace orvanel
