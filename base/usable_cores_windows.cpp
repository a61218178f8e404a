#include <algorithm>
#include <bitset>
#include <thread>

#include "usable_cores.h"
#include "windows_api.h"

namespace orvanel {

unsigned UsableCores() {
  DWORD_PTR process = 0;
  DWORD_PTR system = 0;
  if (!::GetProcessAffinityMask(::GetCurrentProcess(), &process, &system) || process == 0) {
    return std::max(1u, std::thread::hardware_concurrency());
  }
  return static_cast<unsigned>(std::bitset<sizeof(DWORD_PTR) * 8>(process).count());
}

}  // namespace orvanel
