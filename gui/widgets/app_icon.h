#pragma once

#include <QIcon>

namespace orvanel {

// Orvanel's icon, a yellow pi on a blue square, drawn from its SVG at every
// size from 16 to 256 pixels: the window system takes the one it needs.
[[nodiscard]] QIcon OrvanelIcon();

}  // namespace orvanel
