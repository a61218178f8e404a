#pragma once

#include <map>
#include <memory>
#include <optional>
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
  [[nodiscard]] bool FoundDamaged() override;
  void Write(const std::string& application, const std::string& section, const std::string& key,
             const std::string& value) override;
  void Commit() override;
  [[nodiscard]] std::string Location() const override;

 private:
  using Values = std::map<std::string, std::string>;  // by "section/key"

  QSettings& For(const std::string& application);
  static void WriteThrough(const std::string& application, const Values& values);

  std::map<std::string, std::unique_ptr<QSettings>> settings_;  // for reading
  std::map<std::string, Values> pending_;  // written, not yet committed
  std::optional<bool> damaged_;
};

}  // namespace orvanel
