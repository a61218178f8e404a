#include <algorithm>
#include <thread>

#include "usable_cores.h"

namespace orvanel {

// Other POSIX systems tell no affinity that a process can ask portably.
unsigned UsableCores() {
  return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace orvanel
