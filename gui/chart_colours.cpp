#include "chart_colours.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace orvanel {
namespace {

double RelativeLuminance(const QColor& colour) {
  const auto linear = [](double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
  };
  const QColor rgb = colour.toRgb();
  return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

// `over` laid on `under` as the painter does, by its alpha.
QColor Blended(const QColor& over, const QColor& under) {
  const double a = over.alphaF();
  return QColor::fromRgbF(over.redF() * a + under.redF() * (1 - a),
                          over.greenF() * a + under.greenF() * (1 - a),
                          over.blueF() * a + under.blueF() * (1 - a));
}

// The colour of the given hue and saturation nearest the background's lightness
// that stands out from `background` by at least `ratio`: darkened on a light
// background, lightened on a dark one.
QColor ColourThatStandsOut(double hue, double saturation, const QColor& background, double ratio) {
  const bool light_background = RelativeLuminance(background) > 0.18;
  for (int step = 0; step <= 100; ++step) {
    const double lightness = light_background ? 1.0 - step / 100.0 : step / 100.0;
    const QColor candidate = QColor::fromHslF(hue / 360.0, saturation, lightness);
    if (ContrastRatio(candidate, background) >= ratio) return candidate;
  }
  return light_background ? QColor(Qt::black) : QColor(Qt::white);
}

}  // namespace

double ContrastRatio(const QColor& first, const QColor& second) {
  const double a = RelativeLuminance(first);
  const double b = RelativeLuminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

ChartColours ChartColoursFor(const QPalette& palette) {
  ChartColours colours;
  colours.background = palette.color(QPalette::Base);
  colours.text = palette.color(QPalette::Text);
  if (ContrastRatio(colours.text, colours.background) < 4.5) {
    colours.text = ColourThatStandsOut(0, 0, colours.background, 7.0);  // a grey
  }
  // Blue and orange keep apart for most kinds of colour blindness; without any
  // colour, the estimate is told by its lightness too: far from the background
  // (7 : 1), where pi and the band's edges keep nearer to it (3 : 1), so that in
  // grey it stands apart from both where they meet.
  colours.estimate = ColourThatStandsOut(215, 0.85, colours.background, 7.0);
  colours.pi = ColourThatStandsOut(145, 0.85, colours.background, 3.0);
  colours.bandEdge = ColourThatStandsOut(30, 0.85, colours.background, 3.0);
  colours.bandFill = colours.bandEdge;
  colours.bandFill.setAlphaF(0.18);
  colours.bandOnBackground = Blended(colours.bandFill, colours.background);
  return colours;
}

}  // namespace orvanel
