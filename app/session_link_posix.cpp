// The X session manager's connection, on POSIX systems with X11.
#include <utility>

#include <dlfcn.h>
#include <unistd.h>

#include "session_link.h"

namespace orvanel {

namespace {

// The few entry points of libICE that are needed, declared as the library has
// them. The library is the one the toolkit's X11 support already loaded; nothing
// is linked for it.
struct IceConnection;
using IceIOErrorHandler = void (*)(IceConnection*);
using SetIOErrorHandler = IceIOErrorHandler (*)(IceIOErrorHandler);
using ConnectionNumber = int (*)(IceConnection*);

std::function<void()> onLost;
ConnectionNumber connectionNumber = nullptr;

// Called by libICE on the event loop's thread, inside the toolkit's reading of
// the connection. Its socket stays readable (at its end) for ever, and the
// toolkit would read it again and again; a descriptor that is never readable
// takes its number instead. Its write end is kept open on purpose.
void OnConnectionBroken(IceConnection* connection) {
  int never_readable[2];
  if (connectionNumber != nullptr && ::pipe(never_readable) == 0) {
    ::dup2(never_readable[0], connectionNumber(connection));
    ::close(never_readable[0]);
  }
  if (onLost) onLost();
}

}  // namespace

void KeepRunningWithoutTheSessionManager(std::function<void()> lost) {
  void* ice = ::dlopen("libICE.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (ice == nullptr) return;
  const auto set_handler =
      reinterpret_cast<SetIOErrorHandler>(::dlsym(ice, "IceSetIOErrorHandler"));
  connectionNumber = reinterpret_cast<ConnectionNumber>(::dlsym(ice, "IceConnectionNumber"));
  if (set_handler == nullptr) return;
  onLost = std::move(lost);
  set_handler(OnConnectionBroken);
}

}  // namespace orvanel
