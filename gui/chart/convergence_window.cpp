#include "convergence_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QBuffer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "convergence_chart.h"
#include "estimator/number_text.h"
#include "gui/messages/messages.h"
#include "gui/widgets/close_on_escape.h"
#include "gui/widgets/text_width.h"

namespace orvanel {
namespace {

QString Decimals(double value) {
  return QString::fromStdString(FixedFourDecimals(value, QLocale().decimalPoint().toStdString()));
}

// A screen reader is to meet the chart's window as a window with its title, and
// the chart as a chart; Qt takes a plain widget for a filler.
QAccessibleInterface* ChartAccessibility(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String("orvanel::ConvergenceWindow")) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
  }
  if (class_name == QLatin1String("orvanel::ConvergenceChart")) {
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
  }
  return nullptr;
}

// Qt asks for a widget's accessible face as soon as the widget is made, and
// keeps the first answer: the factory is installed before the first window is.
QWidget* WithChartAccessibility(QWidget* parent) {
  static const bool installed = (QAccessible::installFactory(ChartAccessibility), true);
  (void)installed;
  return parent;
}

// Below this, a distance shows as no distance at all in four decimals.
constexpr double kLeastDistance = 0.00005;

QString SummaryText(const ConvergenceSummaryFigures& figures) {
  //: %1 is the estimate, %2 the half-width of its 95 % interval.
  const QString estimate =
      figures.halfWidth
          ? ConvergenceWindow::tr("%1 ± %2 (95 %)")
                .arg(Decimals(figures.estimate), Decimals(*figures.halfWidth))
          //: %1 is the estimate: before the first common factor the counts give no ± yet.
          : ConvergenceWindow::tr("%1 (no ± before the first common factor)")
                .arg(Decimals(figures.estimate));
  const QString distance =
      figures.distanceFromPi < kLeastDistance
          ? ConvergenceWindow::tr("less than %1 from pi").arg(Decimals(0.0001))
          : ConvergenceWindow::tr("%1 from pi").arg(Decimals(figures.distanceFromPi));
  const QString band = figures.insideBand ? ConvergenceWindow::tr("inside the 95 % band")
                                          : ConvergenceWindow::tr("outside the 95 % band");
  //: Two lines: %1 the estimate, %2 its distance from pi; %3 the pairs asked, %4
  //: whether the estimate lies inside the band.
  return ConvergenceWindow::tr("%1, %2\n%3 pairs, %4")
      .arg(estimate, distance, QLocale().toString(static_cast<qlonglong>(figures.pairs)), band);
}

}  // namespace

QString ConvergenceSummary(const StatusFigures& shown) {
  const auto figures = SummaryFigures(shown);
  if (!figures) return ConvergenceWindow::tr("No estimate yet");
  return SummaryText(*figures);
}

ConvergenceWindow::ConvergenceWindow(SaveDialog& save_dialog, ImageWrites& writes, QWidget* parent)
    : QWidget(WithChartAccessibility(parent), Qt::Window),
      saveDialog_(save_dialog),
      writes_(writes),
      chart_(new ConvergenceChart(this)),
      summary_(new QLabel(this)) {
  setObjectName("ConvergenceWindow");
  setWindowTitle(tr("Orvanel – Convergence"));
  setAttribute(Qt::WA_DeleteOnClose);
  CloseOnEscape(*this);
  summary_->setObjectName("ConvergenceSummary");
  summary_->setTextFormat(Qt::PlainText);
  // Wide and high enough from the start for the widest summary (no estimate
  // reaches a million), so the window does not change while trials run.
  const ConvergenceSummaryFigures widest{999999.9999, 999999.9999, 999999.9999, 2147483647, false};
  ConvergenceSummaryFigures without_spread = widest;
  without_spread.halfWidth.reset();
  const QStringList samples = {tr("No estimate yet"), SummaryText(widest),
                               SummaryText(without_spread)};
  summary_->setMinimumSize(SizeToShow(*summary_, samples));

  auto* save = new QPushButton(tr("&Save Image…"), this);
  save->setObjectName("SaveImage");
  save->setAutoDefault(false);
  connect(save, &QPushButton::clicked, this, &ConvergenceWindow::SaveImage);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(summary_, 1);
  bottom->addWidget(save);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chart_, 1);
  layout->addLayout(bottom);
  resize(640, 440);
}

void ConvergenceWindow::Refresh(const ConvergenceRecord& record, const StatusFigures& latest) {
  const QString summary = ConvergenceSummary(latest);
  summary_->setText(summary);
  chart_->Show(record.Points(), summary, record.ContinuedFrom());
}

QImage ConvergenceWindow::Image() const {
  // As sharp as the screen shows it: twice the pixels at a scale of 2.
  const qreal ratio = devicePixelRatioF();
  QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(palette().color(QPalette::Window));
  QPainter painter(&image);
  chart_->render(&painter, chart_->pos());
  summary_->render(&painter, summary_->pos());
  return image;
}

void ConvergenceWindow::SaveImage() {
  const auto chosen = saveDialog_.Save(this, tr("convergence.png"), tr("PNG images (*.png)"));
  if (!chosen) return;
  QString path = *chosen;
  if (QFileInfo(path).suffix().isEmpty()) path += ".png";
  // Made here, in a moment; written apart, as the file system may not answer.
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  Image().save(&buffer, "PNG");
  writes_.Write(path, std::move(png), this);
}

}  // namespace orvanel
