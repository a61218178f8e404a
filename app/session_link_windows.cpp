// No X session manager here: the platform's own session end reaches the window.
#include "session_link.h"

namespace orvanel {

void KeepRunningWithoutTheSessionManager(std::function<void()>) {}

}  // namespace orvanel
