#pragma once

#include <QString>

#include <cstdint>

#include "estimator/trial_tally.h"

class QLabel;

namespace orvanel {

// The words of the three status lines around their figures.
[[nodiscard]] QString EstimateLine(double estimate);
[[nodiscard]] QString TotalLine(std::int32_t total);
[[nodiscard]] QString HitsLine(std::int32_t relatively_prime);

// The three status lines on screen. Only a label whose text changed is
// repainted.
class StatusLines {
 public:
  StatusLines(QLabel& estimate, QLabel& total, QLabel& hits);
  void Show(const StatusFigures& figures);

 private:
  QLabel& estimate_;
  QLabel& total_;
  QLabel& hits_;
};

}  // namespace orvanel
