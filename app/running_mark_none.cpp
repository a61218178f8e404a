#include "running_mark.h"

namespace orvanel {

// Only the Windows installer asks.
void MarkRunning() {}

}  // namespace orvanel
