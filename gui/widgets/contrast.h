#pragma once

#include <QColor>

namespace orvanel {

// How far apart two colours stand for the eye, as the usual thresholds for
// accessible text (4.5 : 1) and graphics (3 : 1) measure it: by lightness
// alone, so that what stands apart in colour stands apart in grey too.

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white).
[[nodiscard]] double ContrastRatio(const QColor& first, const QColor& second);

// The colour of the given hue (degrees) and saturation nearest the
// background's lightness that stands out from `background` by at least
// `ratio`: darkened on a light background, lightened on a dark one.
[[nodiscard]] QColor ColourThatStandsOut(double hue, double saturation, const QColor& background,
                                         double ratio);
// The same, standing out from `also` as well (a fill laid on the background).
[[nodiscard]] QColor ColourThatStandsOut(double hue, double saturation, const QColor& background,
                                         const QColor& also, double ratio);

// `over` laid on `under` as the painter does, by its alpha.
[[nodiscard]] QColor Blended(const QColor& over, const QColor& under);

}  // namespace orvanel
