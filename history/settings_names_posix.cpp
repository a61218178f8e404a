#include "settings_names.h"

namespace orvanel {

SettingsNames SettingsNamesFor(const std::string& application) {
  return {application, application};
}

}  // namespace orvanel
