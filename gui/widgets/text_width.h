#pragma once

#include <QFontMetrics>
#include <QLabel>
#include <QSize>
#include <QString>
#include <QStringList>

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

// The size a label needs to show each of `texts` (of one or more lines) whole.
inline QSize SizeToShow(const QLabel& label, const QStringList& texts) {
  QSize largest;
  for (const QString& text : texts) {
    largest = largest.expandedTo(label.fontMetrics().size(0, text));
  }
  return largest + QSize(2, 0);  // a QLabel's text starts a pixel in
}

}  // namespace orvanel
