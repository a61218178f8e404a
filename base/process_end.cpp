#include "process_end.h"

#include <cstdio>
#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace orvanel {

void EndProcess(int status) {
  std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
  __lsan_do_leak_check();
#endif
  // On Windows the other threads are stopped before any library is told that
  // the process ends.
  std::_Exit(status);
}

}  // namespace orvanel
