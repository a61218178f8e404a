#include "registry_value.h"

namespace orvanel {

// No registry outside Windows.
RegistryValue ReadRegistryValue(const std::string&, const std::string&) {
  return {};
}

}  // namespace orvanel
