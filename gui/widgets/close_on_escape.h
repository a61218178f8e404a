#pragma once

class QWidget;

namespace orvanel {

// Escape closes `window`, whichever of its widgets has the focus, as it closes
// any secondary window of a desktop program. (The About window keeps its
// designed behaviour instead: there Escape does nothing.)
void CloseOnEscape(QWidget& window);

}  // namespace orvanel
