#pragma once

#include <QMargins>
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

// Where `window` (not yet shown, at its designed size) goes beside the frame
// `anchor` when its frame adds `margins` and the screen's free area is
// `screen`: the top left corner of its frame and the size of the window, the
// designed one where that fits, else as much as fits, never below its minimum.
[[nodiscard]] QRect FitBeside(const QWidget& window, const QRect& anchor, const QMargins& margins,
                              const QRect& screen);

// Fits `window` (not yet shown) to the free area of the anchor's screen and
// moves it beside the anchor.
void MoveBeside(QWidget& window, const QWidget& anchor);

// The top left corner of a frame of `size` in the middle of `screen`, on the
// screen whatever the size.
[[nodiscard]] QPoint Centred(const QSize& size, const QRect& screen);

}  // namespace orvanel
