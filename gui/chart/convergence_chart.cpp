#include "convergence_chart.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLocale>
#include <QMarginsF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart_colours.h"

namespace orvanel {
namespace {

// Texts in the plot keep to its right edge and break at blanks where it is narrow.
constexpr int kInPlotFlags = Qt::AlignRight | Qt::AlignVCenter | Qt::TextWordWrap;

constexpr double kPi = std::numbers::pi;
constexpr int kBandSamples = 120;  // the band's curves, evenly spread on the pairs axis
// Told apart without colour: the estimate a solid line twice as wide as the
// others, pi dashed, the band a fill with dotted edges. Widths are in the
// window's own units, which Qt scales for high-density screens.
constexpr double kEstimateWidth = 2.0;
constexpr double kLineWidth = 1.6;
// A run of so few points shows each of them, so that even one pair is seen.
constexpr qsizetype kMarkedPoints = 40;
constexpr double kMarkerRadius = 3.0;

QString PairsLabel(std::int64_t pairs) {
  return QLocale().toString(static_cast<qlonglong>(pairs));
}

QPen EstimatePen(const ChartColours& colours) {
  QPen pen(colours.estimate, kEstimateWidth);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

QPen BandEdgePen(const ChartColours& colours) {
  return QPen(colours.bandEdge, 1, Qt::DotLine);
}

// In a chart that begins at a tally carried from earlier runs.
QString ContinuedNote(std::int64_t pairs) {
  //: In a chart that begins at a tally carried from earlier runs, whose course
  //: before it is not known. %1 is the count of pairs.
  return ConvergenceChart::tr("continued from %1 saved pairs").arg(PairsLabel(pairs));
}

QString EstimateLabel(double value, int decimals) {
  return QLocale().toString(value, 'f', decimals);
}

// The parts of a line that lie between `top` and `bottom`. Early estimates can
// lie a million pixels off the plot, and the painter is slow to stroke lines
// that long only to clip them; the segments that cross the edge are cut where
// they cross it, so what shows keeps its slope.
std::vector<QPolygonF> Within(const QPolygonF& line, double top, double bottom) {
  std::vector<QPolygonF> parts(1);
  const auto inside = [top, bottom](const QPointF& point) {
    return point.y() >= top && point.y() <= bottom;
  };
  const auto cut = [](const QPointF& from, const QPointF& to, double y) {
    const double share = (y - from.y()) / (to.y() - from.y());
    return QPointF(from.x() + share * (to.x() - from.x()), y);
  };
  for (qsizetype i = 0; i < line.size(); ++i) {
    const QPointF& point = line[i];
    if (i > 0) {
      QPointF from = line[i - 1];
      QPointF to = point;
      if (!inside(from)) from = cut(from, to, from.y() < top ? top : bottom);
      if (!inside(to)) to = cut(from, to, to.y() < top ? top : bottom);
      const bool crosses = inside(from) && inside(to) &&
                           !(line[i - 1].y() < top && point.y() < top) &&
                           !(line[i - 1].y() > bottom && point.y() > bottom);
      if (crosses) {
        if (parts.back().isEmpty() || parts.back().back() != from) {
          if (!parts.back().isEmpty()) parts.emplace_back();
          parts.back() << from;
        }
        parts.back() << to;
      }
    } else if (inside(point)) {
      parts.back() << point;
    }
  }
  return parts;
}

// The part of a closed polygon between `top` and `bottom`, cut as a knife
// would (Sutherland and Hodgman's way, against each of the two lines in turn).
QPolygonF ClipToSlab(const QPolygonF& polygon, double top, double bottom) {
  const auto clip = [](const QPolygonF& input, double y, bool keep_below) {
    QPolygonF output;
    const auto kept = [y, keep_below](const QPointF& point) {
      return keep_below ? point.y() >= y : point.y() <= y;
    };
    for (qsizetype i = 0; i < input.size(); ++i) {
      const QPointF& from = input[(i + input.size() - 1) % input.size()];
      const QPointF& to = input[i];
      if (kept(from) != kept(to)) {
        const double share = (y - from.y()) / (to.y() - from.y());
        output << QPointF(from.x() + share * (to.x() - from.x()), y);
      }
      if (kept(to)) output << to;
    }
    return output;
  };
  return clip(clip(polygon, top, true), bottom, false);
}

}  // namespace

// Everything the painting needs to know of where things go.
struct ConvergenceChart::Geometry {
  double line = 0;     // the height of a line of text
  double padding = 0;  // room around texts
  QMarginsF margins;   // around the plot, for the texts
  QRectF plot;
  QString pairsTitle;
  QString estimateTitle;
  std::vector<std::pair<QString, QRectF>> legend;  // each entry's text and its sample
  QRectF pairsTitleRect;
  QRectF estimateTitleRect;  // upright: the text is drawn turned by a quarter
  std::vector<std::pair<QString, QRectF>> pairsLabels;
  std::vector<std::pair<QString, QRectF>> estimateLabels;
  // In the plot: "No estimate yet" in its middle while it is empty, the note of
  // a record continued from a carried tally in its lower right corner.
  std::optional<std::pair<QString, QRectF>> inPlot;

  [[nodiscard]] double X(double pairs, const PairsAxis& axis) const {
    return plot.left() +
           std::log10(pairs / axis.low) / std::log10(axis.high / axis.low) * plot.width();
  }
  [[nodiscard]] double Y(double estimate, const RoundAxis& axis) const {
    return plot.bottom() - (estimate - axis.low) / (axis.high - axis.low) * plot.height();
  }
};

ConvergenceChart::ConvergenceChart(QWidget* parent) : QWidget(parent) {
  setObjectName("ConvergenceChart");
  setAccessibleName(tr("Convergence chart"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  Show({}, QString());
}

void ConvergenceChart::Show(const std::vector<ConvergenceRecord::Point>& points,
                            const QString& summary, std::int64_t continued_from) {
  points_ = ShownPoints(points);
  estimateLine_.reset();
  const PairsAxis pairs_axis = PairsAxisFor(points_);
  const RoundAxis estimate_axis = EstimateAxisFor(points_, pairs_axis);
  // The note only while the chart reaches back to where the record began.
  const std::int64_t continued =
      !points_.empty() && continued_from >= points_.front().pairs ? continued_from : 0;
  if (!(pairs_axis == pairsAxis_) || !(estimate_axis == estimateAxis_) ||
      continued != continuedFrom_) {
    pairsAxis_ = pairs_axis;
    estimateAxis_ = estimate_axis;
    continuedFrom_ = continued;
    backdrop_ = QPixmap();
    updateGeometry();  // the labels may have grown
  }
  // Read out as shown, as one line.
  QString description = QString(summary).replace('\n', QStringLiteral("; "));
  if (continuedFrom_ > 0) description += QStringLiteral("; ") + ContinuedNote(continuedFrom_);
  if (accessibleDescription() != description) setAccessibleDescription(description);
  update();
}

ConvergenceChart::Geometry ConvergenceChart::Measure(QSizeF size) const {
  const QFontMetricsF metrics(font());
  Geometry geometry;
  geometry.line = metrics.height();
  geometry.padding = std::ceil(geometry.line / 2);
  const double line = geometry.line;
  const double padding = geometry.padding;
  geometry.pairsTitle = tr("pairs asked");
  geometry.estimateTitle = tr("estimate of pi");

  // The legend, centred in a row of its own at the top.
  const QString names[] = {tr("estimate"), tr("pi"), tr("95 % range of random runs")};
  double legend_width = 0;
  for (const QString& name : names)
    legend_width += 2 * line + padding / 2 + metrics.horizontalAdvance(name);
  legend_width += line * 2;  // the gaps between the three entries
  double x = std::max(padding, (size.width() - legend_width) / 2);
  for (const QString& name : names) {
    const double text_width = metrics.horizontalAdvance(name);
    geometry.legend.emplace_back(name,
                                 QRectF(x + 2 * line + padding / 2, padding, text_width, line));
    x += 2 * line + padding / 2 + text_width + line;
  }

  // The estimate labels decide how much room the left margin needs.
  double label_width = metrics.horizontalAdvance(EstimateLabel(kPi, 4));
  for (const double tick : estimateAxis_.Ticks()) {
    label_width = std::max(label_width,
                           metrics.horizontalAdvance(EstimateLabel(tick, estimateAxis_.decimals)));
  }
  // The pairs labels start below the lowest estimate label, which stands half a
  // line below the plot; the first and the last stick out by half their width.
  const double left =
      std::max(padding + line + padding + label_width + padding / 2,
               metrics.horizontalAdvance(PairsLabel(pairsAxis_.ticks.front())) / 2 + padding);
  const double right = std::max(
      padding, metrics.horizontalAdvance(PairsLabel(pairsAxis_.ticks.back())) / 2 + padding / 2);
  const double top = 2 * padding + line;
  const double bottom = padding + line + padding / 2 + line + padding;
  geometry.margins = QMarginsF(left, top, right, bottom);
  geometry.plot = QRectF(left, top, std::max(1.0, size.width() - left - right),
                         std::max(1.0, size.height() - top - bottom));
  const QRectF& plot = geometry.plot;

  const double title_height = metrics.horizontalAdvance(geometry.estimateTitle);
  geometry.estimateTitleRect =
      QRectF(padding, plot.center().y() - title_height / 2, line, title_height);
  const double pairs_title_width = metrics.horizontalAdvance(geometry.pairsTitle);
  geometry.pairsTitleRect =
      QRectF(plot.center().x() - pairs_title_width / 2,
             plot.bottom() + padding + line + padding / 2, pairs_title_width, line);

  // An empty plot says so in its middle, and has neither ticks nor labels.
  if (points_.empty()) {
    const QString empty = tr("No estimate yet");
    const double width = metrics.horizontalAdvance(empty);
    geometry.inPlot.emplace(
        empty, QRectF(plot.center().x() - width / 2, plot.center().y() - line / 2, width, line));
    return geometry;
  }
  if (continuedFrom_ > 0) {
    // Broken at its blanks where the plot is narrower than the note.
    const QString note = ContinuedNote(continuedFrom_);
    const QRectF room(0, 0, std::max(1.0, plot.width() - 2 * padding), plot.height());
    const QSizeF needed = metrics.boundingRect(room, kInPlotFlags, note).size();
    geometry.inPlot.emplace(note, QRectF(plot.right() - padding - needed.width(),
                                         plot.bottom() - padding / 2 - needed.height(),
                                         needed.width(), needed.height()));
  }

  for (const double tick : estimateAxis_.Ticks()) {
    const QString text = EstimateLabel(tick, estimateAxis_.decimals);
    const double width = metrics.horizontalAdvance(text);
    geometry.estimateLabels.emplace_back(
        text, QRectF(plot.left() - padding / 2 - width, geometry.Y(tick, estimateAxis_) - line / 2,
                     width, line));
  }
  // The first choice of labels that has room, each clear of the next by a
  // padding (convergence_scale.h: decades are the last to go).
  for (const std::vector<std::int64_t>& labels : PairsLabelChoices(pairsAxis_)) {
    geometry.pairsLabels.clear();
    bool fits = true;
    for (const std::int64_t pairs : labels) {
      const QString text = PairsLabel(pairs);
      const double width = metrics.horizontalAdvance(text);
      const double centre = geometry.X(static_cast<double>(pairs), pairsAxis_);
      const QRectF rect(centre - width / 2, plot.bottom() + padding, width, line);
      if (!geometry.pairsLabels.empty() &&
          geometry.pairsLabels.back().second.right() + padding > rect.left()) {
        fits = false;
      }
      geometry.pairsLabels.emplace_back(text, rect);
    }
    if (fits) break;
  }
  return geometry;
}

ConvergenceChart::Layout ConvergenceChart::LayOut() const {
  const Geometry geometry = Measure(size());
  Layout layout;
  layout.plot = geometry.plot;
  layout.texts = geometry.legend;
  layout.texts.emplace_back(geometry.pairsTitle, geometry.pairsTitleRect);
  layout.texts.emplace_back(geometry.estimateTitle, geometry.estimateTitleRect);
  layout.texts.insert(layout.texts.end(), geometry.pairsLabels.begin(), geometry.pairsLabels.end());
  layout.texts.insert(layout.texts.end(), geometry.estimateLabels.begin(),
                      geometry.estimateLabels.end());
  if (geometry.inPlot) layout.texts.push_back(*geometry.inPlot);
  for (const auto& label : geometry.pairsLabels) layout.pairsLabels.push_back(label.first);
  return layout;
}

// Room for the legend and the titles, and a plot a person can still read.
QSize ConvergenceChart::minimumSizeHint() const {
  const QFontMetricsF metrics(font());
  const Geometry at_zero = Measure(QSizeF(0, 0));
  const double line = at_zero.line;
  const double legend_width = at_zero.legend.back().second.right() -
                              at_zero.legend.front().second.left() + 2 * line + 2 * at_zero.padding;
  const double plot_width =
      std::max({12 * line, metrics.horizontalAdvance(at_zero.pairsTitle) + line,
                3 * metrics.horizontalAdvance(PairsLabel(pairsAxis_.ticks.back()))});
  const double plot_height =
      std::max(7 * line, metrics.horizontalAdvance(at_zero.estimateTitle) + line);
  const QMarginsF& margins = at_zero.margins;
  const double width = std::max(legend_width, margins.left() + plot_width + margins.right());
  const double height = margins.top() + plot_height + margins.bottom();
  return QSize(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)));
}

// Everything but the estimate changes only with the axes, the size or the
// palette: it is drawn once into the backdrop, and each redraw only lays the
// estimate over it.
void ConvergenceChart::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  if (backdrop_.isNull() || backdrop_.size() != size() * ratio) {
    geometry_ = std::make_shared<const Geometry>(Measure(size()));
    estimateLine_.reset();
    backdrop_ = QPixmap(size() * ratio);
    backdrop_.setDevicePixelRatio(ratio);
    QPainter backdrop(&backdrop_);
    DrawBackdrop(backdrop, *geometry_);
  }
  QPainter painter(this);
  painter.drawPixmap(0, 0, backdrop_);
  DrawEstimates(painter, *geometry_);
}

void ConvergenceChart::changeEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::LocaleChange:
      backdrop_ = QPixmap();
      break;
    default:
      break;
  }
  QWidget::changeEvent(event);
}

void ConvergenceChart::DrawBandAndPi(QPainter& painter, const Geometry& geometry,
                                     const ChartColours& colours) const {
  const QRectF& plot = geometry.plot;
  painter.save();
  painter.setClipRect(plot);
  QPolygonF upper;
  QPolygonF lower;
  for (int i = 0; i <= kBandSamples; ++i) {
    const double pairs = pairsAxis_.low * std::pow(pairsAxis_.high / pairsAxis_.low,
                                                   static_cast<double>(i) / kBandSamples);
    const double x = geometry.X(pairs, pairsAxis_);
    upper << QPointF(x, geometry.Y(kPi + ExpectedHalfWidth(pairs), estimateAxis_));
    lower << QPointF(x, geometry.Y(kPi - ExpectedHalfWidth(pairs), estimateAxis_));
  }
  const double top = plot.top() - 2;
  const double bottom = plot.bottom() + 2;
  QPolygonF band = upper;
  for (auto point = lower.crbegin(); point != lower.crend(); ++point) band << *point;
  painter.setPen(Qt::NoPen);
  painter.setBrush(colours.bandFill);
  painter.drawPolygon(ClipToSlab(band, top, bottom));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(BandEdgePen(colours));
  for (const QPolygonF* edge : {&upper, &lower}) {
    for (const QPolygonF& part : Within(*edge, top, bottom)) painter.drawPolyline(part);
  }
  const double pi_y = geometry.Y(kPi, estimateAxis_);
  painter.setPen(QPen(colours.pi, kLineWidth, Qt::DashLine));
  painter.drawLine(QLineF(plot.left(), pi_y, plot.right(), pi_y));
  painter.restore();
}

void ConvergenceChart::DrawBackdrop(QPainter& painter, const Geometry& geometry) const {
  const ChartColours colours = ChartColoursFor(palette());
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), colours.background);
  const QRectF& plot = geometry.plot;

  // The legend's samples and names, drawn as the lines are.
  const QPen pens[] = {EstimatePen(colours), QPen(colours.pi, kLineWidth, Qt::DashLine),
                       BandEdgePen(colours)};
  for (std::size_t i = 0; i < geometry.legend.size(); ++i) {
    const QRectF& text = geometry.legend[i].second;
    const QRectF sample(text.left() - geometry.padding / 2 - 2 * geometry.line, text.top() + 2,
                        2 * geometry.line, geometry.line - 4);
    painter.setPen(pens[i]);
    if (i == 2) {
      painter.setBrush(colours.bandFill);
      painter.drawRect(sample);
      painter.setBrush(Qt::NoBrush);
    } else {
      painter.drawLine(
          QLineF(sample.left(), sample.center().y(), sample.right(), sample.center().y()));
    }
    painter.setPen(colours.text);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, geometry.legend[i].first);
  }

  // The band and pi, inside the plot; what lies outside runs off its edge. An
  // empty plot has neither: there is no estimate to put beside them.
  if (!points_.empty()) DrawBandAndPi(painter, geometry, colours);

  // The axes, their ticks and labels, and their titles.
  painter.setPen(QPen(colours.text, 1));
  painter.drawRect(plot);
  const double tick = geometry.padding / 2;
  if (!points_.empty()) {
    for (const std::int64_t pairs : pairsAxis_.ticks) {
      const double x = geometry.X(static_cast<double>(pairs), pairsAxis_);
      painter.drawLine(QLineF(x, plot.bottom(), x, plot.bottom() + tick));
    }
  }
  for (const auto& [text, rect] : geometry.estimateLabels) {
    painter.drawLine(QLineF(plot.left() - tick, rect.center().y(), plot.left(), rect.center().y()));
  }
  if (geometry.inPlot)
    painter.drawText(geometry.inPlot->second, kInPlotFlags, geometry.inPlot->first);
  for (const auto& [text, rect] : geometry.pairsLabels)
    painter.drawText(rect, Qt::AlignCenter, text);
  for (const auto& [text, rect] : geometry.estimateLabels) {
    painter.drawText(rect, Qt::AlignRight | Qt::AlignVCenter, text);
  }
  painter.drawText(geometry.pairsTitleRect, Qt::AlignCenter, geometry.pairsTitle);
  const QRectF& upright = geometry.estimateTitleRect;
  painter.translate(upright.center());
  painter.rotate(-90);
  painter.drawText(
      QRectF(-upright.height() / 2, -upright.width() / 2, upright.height(), upright.width()),
      Qt::AlignCenter, geometry.estimateTitle);
}

// The estimate, as a solid line, with a marker at each point while there are
// few of them.
void ConvergenceChart::DrawEstimates(QPainter& painter, const Geometry& geometry) {
  const QRectF& plot = geometry.plot;
  if (!estimateLine_) {
    QPolygonF estimates;
    for (const auto& point : PointsToDraw(points_, pairsAxis_, plot.width())) {
      estimates << QPointF(geometry.X(static_cast<double>(point.pairs), pairsAxis_),
                           geometry.Y(point.estimate, estimateAxis_));
    }
    estimateLine_ = estimates.size() == 1 ? std::vector<QPolygonF>{estimates}
                                          : Within(estimates, plot.top(), plot.bottom());
  }
  const ChartColours colours = ChartColoursFor(palette());
  painter.setRenderHint(QPainter::Antialiasing);
  // Markers at the plot's edges show whole: the latest point lies on its right edge.
  painter.setClipRect(
      plot.marginsAdded(QMarginsF(kMarkerRadius, kMarkerRadius, kMarkerRadius, kMarkerRadius)));
  painter.setPen(EstimatePen(colours));
  qsizetype count = 0;
  for (const QPolygonF& part : *estimateLine_) count += part.size();
  for (const QPolygonF& part : *estimateLine_) {
    if (part.size() > 1) painter.drawPolyline(part);
    if (count > kMarkedPoints) continue;
    painter.setBrush(colours.estimate);
    for (const QPointF& point : part) painter.drawEllipse(point, kMarkerRadius, kMarkerRadius);
    painter.setBrush(Qt::NoBrush);
  }
}

}  // namespace orvanel
