#include "placement.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <array>

namespace orvanel {
namespace {

constexpr int kGap = 8;

}  // namespace

QPoint PlaceBeside(const QRect& anchor, const QSize& size, const QRect& screen) {
  const auto clamp = [&screen, &size](int x, int y) {
    return QPoint(
        std::clamp(x, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width())),
        std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height())));
  };
  struct Side {
    int room;   // free pixels on that side of the anchor
    int needs;  // what the window needs there
    QPoint at;
  };
  const std::array<Side, 4> sides = {
      Side{screen.right() - anchor.right() - kGap, size.width(),
           clamp(anchor.right() + 1 + kGap, anchor.top())},
      Side{anchor.left() - screen.left() - kGap, size.width(),
           clamp(anchor.left() - kGap - size.width(), anchor.top())},
      Side{screen.bottom() - anchor.bottom() - kGap, size.height(),
           clamp(anchor.left(), anchor.bottom() + 1 + kGap)},
      Side{anchor.top() - screen.top() - kGap, size.height(),
           clamp(anchor.left(), anchor.top() - kGap - size.height())},
  };
  for (const Side& side : sides) {
    if (side.room >= side.needs) return side.at;
  }
  const auto roomiest = std::max_element(
      sides.begin(), sides.end(), [](const Side& a, const Side& b) { return a.room < b.room; });
  return roomiest->at;
}

QRect FitBeside(const QWidget& window, const QRect& anchor, const QMargins& margins,
                const QRect& screen) {
  const QSize minimum = window.minimumSizeHint().expandedTo(window.minimumSize());
  const QSize size = window.size().boundedTo(screen.size().shrunkBy(margins)).expandedTo(minimum);
  return QRect(PlaceBeside(anchor, size.grownBy(margins), screen), size);
}

void MoveBeside(QWidget& window, const QWidget& anchor) {
  // A window not yet shown has no frame: it will have the anchor's.
  const QRect frame = anchor.frameGeometry();
  const QMargins margins(
      anchor.geometry().left() - frame.left(), anchor.geometry().top() - frame.top(),
      frame.right() - anchor.geometry().right(), frame.bottom() - anchor.geometry().bottom());
  const QRect placed = FitBeside(window, frame, margins, anchor.screen()->availableGeometry());
  window.resize(placed.size());
  window.move(placed.topLeft());
}

QPoint Centred(const QSize& size, const QRect& screen) {
  const QPoint centred = screen.center() - QRect(QPoint(), size).center();
  return {std::max(centred.x(), screen.left()), std::max(centred.y(), screen.top())};
}

}  // namespace orvanel
