#pragma once

#include <map>
#include <memory>
#include <string>

#include "settings_store.h"

class QSettings;

namespace orvanel {

// The settings store on QSettings, in the platform's native per-user place
// (see store_location.h). Only the user's own values count: the system-wide
// and organization-wide fallbacks are switched off.
class QSettingsStore final : public SettingsStore {
 public:
  QSettingsStore();
  ~QSettingsStore() override;

  [[nodiscard]] std::string Read(const std::string& application, const std::string& section,
                                 const std::string& key, const std::string& fallback) override;
  void Write(const std::string& application, const std::string& section, const std::string& key,
             const std::string& value) override;
  void Commit() override;
  [[nodiscard]] std::string Location() const override;

 private:
  QSettings& For(const std::string& application);

  std::map<std::string, std::unique_ptr<QSettings>> settings_;
};

}  // namespace orvanel
