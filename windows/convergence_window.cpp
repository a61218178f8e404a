#include "convergence_window.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "number_text.h"

namespace orvanel {
namespace {

constexpr double kPi = std::numbers::pi;
// The band is drawn through this many points, evenly spread on the pairs' axis.
constexpr int kBandPoints = 120;

// The smallest of 1, 2 and 5 times a power of ten that is at least `raw`: steps
// that make round labels.
double NiceStep(double raw) {
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0}) {
    if (factor * magnitude >= raw) return factor * magnitude;
  }
  return 10.0 * magnitude;
}

QString Decimals(double value) {
  return QString::fromStdString(FixedFourDecimals(value, QLocale().decimalPoint().toStdString()));
}

}  // namespace

QString ConvergenceSummary(const StatusFigures& shown) {
  const auto figures = SummaryFigures(shown);
  if (!figures) return ConvergenceWindow::tr("No estimate yet");
  //: %1 is the estimate, %2 the half-width of its 95 % interval, %3 its distance from pi.
  return ConvergenceWindow::tr("%1 ± %2 (95 %), %3 from pi")
      .arg(Decimals(figures->estimate), Decimals(figures->halfWidth),
           Decimals(figures->distanceFromPi));
}

ConvergenceWindow::ConvergenceWindow(SaveDialog& save_dialog, Messenger& messenger, QWidget* parent)
    : QWidget(parent, Qt::Window),
      saveDialog_(save_dialog),
      messenger_(messenger),
      chart_(new QChart),
      view_(new QChartView(chart_, this)),
      estimates_(new QLineSeries),
      pi_(new QLineSeries),
      upper_(new QLineSeries),
      lower_(new QLineSeries),
      pairsAxis_(new QLogValueAxis),
      estimateAxis_(new QValueAxis),
      summary_(new QLabel(this)) {
  setObjectName("ConvergenceWindow");
  setWindowTitle(tr("Convergence"));
  setAttribute(Qt::WA_DeleteOnClose);
  view_->setObjectName("ConvergenceChart");
  summary_->setObjectName("ConvergenceSummary");
  summary_->setTextFormat(Qt::PlainText);

  auto* band = new QAreaSeries(upper_, lower_);
  // An area series leaves its two lines to whoever made them.
  upper_->setParent(band);
  lower_->setParent(band);
  band->setName(tr("95 % of random runs"));
  band->setColor(QColor(120, 160, 220, 90));
  band->setBorderColor(QColor(120, 160, 220, 160));
  estimates_->setName(tr("estimate"));
  pi_->setName(tr("pi"));
  pi_->setPen(QPen(Qt::darkGreen, 1.5, Qt::DashLine));
  chart_->addSeries(band);
  chart_->addSeries(pi_);
  chart_->addSeries(estimates_);

  pairsAxis_->setTitleText(tr("pairs asked"));
  pairsAxis_->setLabelFormat("%.0f");
  pairsAxis_->setBase(10);
  pairsAxis_->setMinorTickCount(-1);
  estimateAxis_->setTitleText(tr("estimate of pi"));
  estimateAxis_->setLabelFormat("%.4f");
  chart_->addAxis(pairsAxis_, Qt::AlignBottom);
  chart_->addAxis(estimateAxis_, Qt::AlignLeft);
  for (QAbstractSeries* series : chart_->series()) {
    series->attachAxis(pairsAxis_);
    series->attachAxis(estimateAxis_);
  }
  chart_->legend()->setAlignment(Qt::AlignBottom);
  chart_->setLocalizeNumbers(true);  // the user's decimal separator on the axes
  // The chart is repainted at each refresh; a plain background painted once by
  // the view, instead of the chart's own rounded one, keeps that cheap.
  chart_->setBackgroundVisible(false);
  chart_->setMargins(QMargins(4, 4, 4, 4));
  view_->setBackgroundBrush(palette().color(QPalette::Base));
  view_->setCacheMode(QGraphicsView::CacheBackground);

  auto* save = new QPushButton(tr("Save Image…"), this);
  save->setObjectName("SaveImage");
  save->setAutoDefault(false);
  connect(save, &QPushButton::clicked, this, &ConvergenceWindow::SaveImage);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(summary_, 1);
  bottom->addWidget(save);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(view_, 1);
  layout->addLayout(bottom);
  resize(640, 440);
}

// Whole decades on the pairs' axis, and round steps on the estimates' axis: the
// axes change only now and then as the run goes on, and each change is what
// costs the chart most.
void ConvergenceWindow::Refresh(const ConvergenceRecord& record, const StatusFigures& shown) {
  summary_->setText(ConvergenceSummary(shown));
  const auto& points = record.Points();
  const double first = points.empty() ? 1.0 : static_cast<double>(points.front().pairs);
  const double last = points.empty() ? 10.0 : static_cast<double>(points.back().pairs);
  const double from = std::pow(10.0, std::floor(std::log10(first)));
  const double to = std::max(from * 10.0, std::pow(10.0, std::ceil(std::log10(last))));

  // No more than about one point to a pixel is drawn: the rest could not be seen
  // and would only cost.
  const double per_pixel = std::log(to / from) / std::max(100.0, chart_->plotArea().width());
  QList<QPointF> estimates;
  double last_drawn = -std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double position = std::log(static_cast<double>(points[i].pairs));
    if (position - last_drawn < per_pixel && i + 1 < points.size()) continue;
    estimates.append(QPointF(static_cast<double>(points[i].pairs), points[i].estimate));
    last_drawn = position;
  }
  estimates_->replace(estimates);
  if (from != pairsAxis_->min() || to != pairsAxis_->max()) {
    pairsAxis_->setRange(from, to);
    QList<QPointF> upper;
    QList<QPointF> lower;
    for (int i = 0; i <= kBandPoints; ++i) {
      const double pairs = from * std::pow(to / from, static_cast<double>(i) / kBandPoints);
      upper.append(QPointF(pairs, kPi + ExpectedHalfWidth(pairs)));
      lower.append(QPointF(pairs, kPi - ExpectedHalfWidth(pairs)));
    }
    upper_->replace(upper);
    lower_->replace(lower);
    pi_->replace(QList<QPointF>{QPointF(from, kPi), QPointF(to, kPi)});
  }

  // The value axis holds the record and the band at the latest count, so that
  // the band that matters now is always in view.
  double low = kPi - ExpectedHalfWidth(last);
  double high = kPi + ExpectedHalfWidth(last);
  for (const auto& point : points) {
    low = std::min(low, point.estimate);
    high = std::max(high, point.estimate);
  }
  const double step = NiceStep((high - low) / 4.0);
  const double axis_low = std::floor(low / step) * step;
  const double axis_high = std::ceil(high / step) * step;
  if (axis_low != estimateAxis_->min() || axis_high != estimateAxis_->max()) {
    estimateAxis_->setRange(axis_low, axis_high);
    estimateAxis_->setTickCount(static_cast<int>(std::lround((axis_high - axis_low) / step)) + 1);
  }
}

void ConvergenceWindow::SaveImage() {
  const auto chosen = saveDialog_.Save(this, tr("convergence.png"), tr("PNG images (*.png)"));
  if (!chosen) return;
  QString path = *chosen;
  if (QFileInfo(path).suffix().isEmpty()) path += ".png";
  QImage image(size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(palette().color(QPalette::Window));
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  view_->render(&painter, QRectF(image.rect()));
  painter.end();
  if (!image.save(path, "PNG")) {
    messenger_.ShowError(this, tr("The image could not be saved in %1.").arg(path));
  }
}

}  // namespace orvanel
