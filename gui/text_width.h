#pragma once

#include <QFontMetrics>
#include <QLabel>
#include <QString>

#include <algorithm>
#include <initializer_list>

namespace orvanel {

// The width a label needs to show each of `texts` whole at its font.
inline int WidthToShow(const QLabel& label, std::initializer_list<QString> texts) {
  int widest = 0;
  for (const QString& text : texts) {
    widest = std::max(widest, label.fontMetrics().horizontalAdvance(text));
  }
  return widest + 2;  // a QLabel's text starts a pixel in
}

}  // namespace orvanel
