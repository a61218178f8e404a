#include "store_location.h"

namespace orvanel {

Platform CurrentPlatform() {
#if defined(_WIN32)
  return Platform::kWindows;
#elif defined(__APPLE__)
  return Platform::kMacOS;
#else
  return Platform::kLinux;
#endif
}

StoreLocation LocationFor(Platform platform, const std::string& application) {
  if (platform == Platform::kWindows) return {"VB and VBA Program Settings", application};
  return {application, application};
}

}  // namespace orvanel
