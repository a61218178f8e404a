#pragma once

#include <QElapsedTimer>
#include <QPixmap>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "chart/convergence_record.h"
#include "chart/convergence_scale.h"

class QPainter;
class QTimer;

namespace orvanel {

namespace testing {
class ConvergenceChartPeer;
}

// The convergence chart, painted by the program itself: the estimate against
// the pairs asked on a logarithmic axis, pi, and the band in which 95 % of
// estimates of truly random pairs lie, with a legend above. Its colours come
// from the palette in use (chart_colours.h), its axes from the record alone
// (convergence_scale.h). For a screen reader it is a chart named "Convergence
// chart", described by the line under it.
class ConvergenceChart final : public QWidget {
  Q_OBJECT

 public:
  // A screen reader hears a new description no more often than this: the figures
  // change a few times a second, and each change would be read out.
  static constexpr int kDescriptionIntervalMs = 3000;

  explicit ConvergenceChart(QWidget* parent);

  // Draws the record's points (the last three decades of them); `summary`
  // describes them in words.
  void Show(const std::vector<ConvergenceRecord::Point>& points, const QString& summary);

  [[nodiscard]] QSize minimumSizeHint() const override;
  [[nodiscard]] QSize sizeHint() const override { return QSize(640, 400); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Tests look at what is drawn and where.
  friend class testing::ConvergenceChartPeer;

  // Where each part goes at the chart's present size: the plot, and each text
  // with the rectangle it is drawn in (the vertical title's rectangle upright).
  struct Layout {
    QRectF plot;
    std::vector<std::pair<QString, QRectF>> texts;
  };
  [[nodiscard]] Layout LayOut() const;

  struct Geometry;
  [[nodiscard]] Geometry Measure(QSizeF size) const;
  void DrawBackdrop(QPainter& painter, const Geometry& geometry) const;
  void DrawEstimates(QPainter& painter, const Geometry& geometry);
  void Describe(const QString& summary);

  std::vector<ConvergenceRecord::Point> points_;  // those shown: the last three decades
  PairsAxis pairsAxis_;
  RoundAxis estimateAxis_;
  QPixmap backdrop_;                          // all but the estimate, at the present size and axes
  std::shared_ptr<const Geometry> geometry_;  // where the backdrop put things
  std::optional<std::vector<QPolygonF>> estimateLine_;  // as drawn over the backdrop
  QElapsedTimer described_;
  QString description_;
  QTimer* describeLater_;
};

}  // namespace orvanel
