#pragma once

#include <QWidget>

namespace orvanel {

// Window geometry is kept in twips (1/1440 inch), as the layout was designed;
// Qt works in device-independent pixels at 96 per inch, so 15 twips make a pixel
// and Qt scales them crisply on high-DPI screens.
constexpr int TwipsToPixels(int twips) { return twips / 15; }

inline void PlaceInTwips(QWidget& widget, int left, int top, int width, int height) {
  widget.setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                     TwipsToPixels(height));
}

}  // namespace orvanel
