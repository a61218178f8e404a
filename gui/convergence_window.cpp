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
#include <QVBoxLayout>

#include "background_write.h"
#include "close_on_escape.h"
#include "convergence_chart.h"
#include "estimator/number_text.h"
#include "messages.h"
#include "text_width.h"

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

QString SummaryLine(double estimate, double half_width, double distance_from_pi) {
  //: %1 is the estimate, %2 the half-width of its 95 % interval, %3 its distance from pi.
  return ConvergenceWindow::tr("%1 ± %2 (95 %), %3 from pi")
      .arg(Decimals(estimate), Decimals(half_width), Decimals(distance_from_pi));
}

}  // namespace

QString ConvergenceSummary(const StatusFigures& shown) {
  const auto figures = SummaryFigures(shown);
  if (!figures) return ConvergenceWindow::tr("No estimate yet");
  return SummaryLine(figures->estimate, figures->halfWidth, figures->distanceFromPi);
}

ConvergenceWindow::ConvergenceWindow(SaveDialog& save_dialog, Reporter& reporter, QWidget* parent)
    : QWidget(WithChartAccessibility(parent), Qt::Window),
      saveDialog_(save_dialog),
      reporter_(reporter),
      chart_(new ConvergenceChart(this)),
      summary_(new QLabel(this)) {
  setObjectName("ConvergenceWindow");
  setWindowTitle(tr("Convergence"));
  setAttribute(Qt::WA_DeleteOnClose);
  CloseOnEscape(*this);
  summary_->setObjectName("ConvergenceSummary");
  summary_->setTextFormat(Qt::PlainText);
  // Wide enough from the start for the widest summary (no estimate reaches a
  // million), so the window does not grow while trials run.
  summary_->setMinimumWidth(WidthToShow(
      *summary_, {tr("No estimate yet"), SummaryLine(999999.9999, 999999.9999, 999999.9999)}));

  auto* save = new QPushButton(tr("Save Image…"), this);
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

void ConvergenceWindow::Refresh(const ConvergenceRecord& record, const StatusFigures& shown) {
  const QString summary = ConvergenceSummary(shown);
  summary_->setText(summary);
  chart_->Show(record.Points(), summary);
}

QImage ConvergenceWindow::Image() const {
  QImage image(size(), QImage::Format_ARGB32_Premultiplied);
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
  WriteInTheBackground(*this, path, std::move(png), [this, path](const FileReplacement& written) {
    if (written.outcome != FileReplacement::Outcome::kReplaced) {
      reporter_.Tell(this, ImageNotSavedText(path, written));
    }
  });
}

}  // namespace orvanel
