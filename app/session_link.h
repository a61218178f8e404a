#pragma once

#include <functional>

namespace orvanel {

// The X session manager speaks to the program over an ICE connection, through
// the toolkit. When that connection breaks (the session manager crashed or was
// ended), the ICE library's default reaction is to end the whole process,
// losing every trial since the last save. This replaces that reaction: the dead
// connection is silenced and `lost` is called; the program goes on. Where there
// is no such connection (no session manager, Wayland, Windows), nothing changes.
void KeepRunningWithoutTheSessionManager(std::function<void()> lost);

}  // namespace orvanel
