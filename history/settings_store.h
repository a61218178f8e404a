#pragma once

#include <string>

namespace orvanel {

// The per-user settings store: text values addressed by application, section
// and key. The real one sits on QSettings; tests use fakes and temporary files.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored text, or `fallback` when the value is absent.
  [[nodiscard]] virtual std::string Read(const std::string& application, const std::string& section,
                                         const std::string& key, const std::string& fallback) = 0;
  // Creates or replaces the value.
  virtual void Write(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& value) = 0;
  // Makes the writes lasting; throws HistoryError when the store refuses them.
  virtual void Commit() = 0;
  // Where the values live, for messages: a file path or a registry key.
  [[nodiscard]] virtual std::string Location() const = 0;
};

}  // namespace orvanel
