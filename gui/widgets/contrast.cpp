#include "contrast.h"

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

}  // namespace

double ContrastRatio(const QColor& first, const QColor& second) {
  const double a = RelativeLuminance(first);
  const double b = RelativeLuminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ColourThatStandsOut(double hue, double saturation, const QColor& background, double ratio) {
  return ColourThatStandsOut(hue, saturation, background, background, ratio);
}

QColor ColourThatStandsOut(double hue, double saturation, const QColor& background,
                           const QColor& also, double ratio) {
  const bool light_background = RelativeLuminance(background) > 0.18;
  for (int step = 0; step <= 100; ++step) {
    const double lightness = light_background ? 1.0 - step / 100.0 : step / 100.0;
    const QColor candidate = QColor::fromHslF(hue / 360.0, saturation, lightness);
    if (ContrastRatio(candidate, background) >= ratio && ContrastRatio(candidate, also) >= ratio) {
      return candidate;
    }
  }
  return light_background ? QColor(Qt::black) : QColor(Qt::white);
}

QColor Blended(const QColor& over, const QColor& under) {
  const double a = over.alphaF();
  return QColor::fromRgbF(over.redF() * a + under.redF() * (1 - a),
                          over.greenF() * a + under.greenF() * (1 - a),
                          over.blueF() * a + under.blueF() * (1 - a));
}

}  // namespace orvanel
