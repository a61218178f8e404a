#include "status_lines.h"

#include <QLabel>
#include <QLocale>

#include "estimator/number_text.h"
#include "gui/widgets/window_text.h"

namespace orvanel {
namespace {

void SetTextIfChanged(QLabel& label, const QString& text) {
  if (label.text() != text) label.setText(text);
}

}  // namespace

// The estimate takes the decimal separator of the user's locale; the counts have
// no grouping and a blank in the place of the sign, so that two blanks stand
// before a count that is not negative.
QString EstimateLine(double estimate) {
  const std::string separator = QLocale().decimalPoint().toStdString();
  return WindowText::tr("is about %1")
      .arg(QString::fromStdString(FixedFourDecimals(estimate, separator)));
}

QString TotalLine(std::int32_t total) {
  //: %1 is the number of pairs asked, with a blank in the place of the sign.
  return WindowText::tr(" based on %1 virtual people asked")
      .arg(QString::fromStdString(NumberText(total)));
}

QString HitsLine(std::int32_t relatively_prime) {
  //: %1 is the number of pairs without a common factor, with a blank in the place of the sign.
  return WindowText::tr("and %1 guesses being relatively prime")
      .arg(QString::fromStdString(NumberText(relatively_prime)));
}

StatusLines::StatusLines(QLabel& estimate, QLabel& total, QLabel& hits)
    : estimate_(estimate), total_(total), hits_(hits) {}

void StatusLines::Show(const StatusFigures& figures) {
  SetTextIfChanged(estimate_, EstimateLine(figures.estimate));
  SetTextIfChanged(total_, TotalLine(figures.total));
  SetTextIfChanged(hits_, HitsLine(figures.relativelyPrime));
}

}  // namespace orvanel
