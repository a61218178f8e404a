#include "process_end.h"

#include <cstdio>
#include <cstdlib>

#include "leak_check.h"

namespace orvanel {

void EndProcess(int status) {
  std::fflush(nullptr);
  CheckForLeaksNow();
  // On Windows the other threads are stopped before any library is told that
  // the process ends.
  std::_Exit(status);
}

}  // namespace orvanel
