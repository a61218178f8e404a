#pragma once

#include <QWidget>

namespace orvanel {

// Window geometry is given in twips (1/1440 inch), a physical measure, so the
// layout keeps its proportions on any screen. Qt works in device-independent
// pixels at 96 per inch, so 15 twips make a pixel, and Qt scales those crisply on
// high-DPI screens.
constexpr int TwipsToPixels(int twips) {
  return twips / 15;
}

inline void PlaceInTwips(QWidget& widget, int left, int top, int width, int height) {
  widget.setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                     TwipsToPixels(height));
}

}  // namespace orvanel
