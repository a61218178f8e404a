#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace orvanel {

// Where a window whose frame is `size` goes beside the frame `anchor` on a
// screen whose free area is `screen`: to its right, else to its left, else
// below it, else above it, the first of them where it fits whole without
// covering the anchor; where none has room, against the side with the most,
// wholly on the screen as far as it fits. The top left corner of its frame.
[[nodiscard]] QPoint PlaceBeside(const QRect& anchor, const QSize& size, const QRect& screen);

// Moves `window` (not yet shown) beside `anchor` on the anchor's screen.
void MoveBeside(QWidget& window, const QWidget& anchor);

}  // namespace orvanel
