#include "running_mark.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace orvanel {

void MarkRunning() {
  // Never closed: the system closes it with the process.
  (void)::CreateMutexW(nullptr, FALSE, L"Orvanel.Running");
}

}  // namespace orvanel
