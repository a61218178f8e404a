#include <sanitizer/lsan_interface.h>

#include "leak_check.h"

namespace orvanel {

void CheckForLeaksNow() {
  __lsan_do_leak_check();
}

}  // namespace orvanel
