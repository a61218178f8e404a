#include "chart_colours.h"

#include <QPalette>

#include "gui/widgets/contrast.h"

namespace orvanel {

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
  // grey it stands apart from both where they meet. Pi runs through the band
  // from end to end, so it stands out from the band as well as from the plot.
  colours.estimate = ColourThatStandsOut(215, 0.85, colours.background, 7.0);
  colours.bandEdge = ColourThatStandsOut(30, 0.85, colours.background, 3.0);
  colours.bandFill = colours.bandEdge;
  colours.bandFill.setAlphaF(0.18);
  colours.bandOnBackground = Blended(colours.bandFill, colours.background);
  colours.pi = ColourThatStandsOut(145, 0.85, colours.background, colours.bandOnBackground, 3.0);
  return colours;
}

}  // namespace orvanel
