#include "settings_names.h"

namespace orvanel {

SettingsNames SettingsNamesFor(const std::string& application) {
  return {"VB and VBA Program Settings", application};
}

}  // namespace orvanel
