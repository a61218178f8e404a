#pragma once

#include <string>
#include <utility>

#include "errors.h"

namespace orvanel {

// The store refused to keep the tally.
class HistoryError : public OrvanelError {
 public:
  explicit HistoryError(std::string location)
      : OrvanelError("cannot save the tally in " + location), location_(std::move(location)) {}
  // Where the store keeps its values: a file path or a registry key.
  [[nodiscard]] const std::string& Location() const { return location_; }

 private:
  std::string location_;
};

// The name under which the program keeps its settings, and calls itself to the
// platform.
inline constexpr char kApplicationName[] = "Orvanel";

// The per-user settings store of one application: text values addressed by
// section and key. The real one sits on QSettings; tests use fakes and
// temporary files.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored text, or `fallback` when the value is absent.
  [[nodiscard]] virtual std::string Read(const std::string& section, const std::string& key,
                                         const std::string& fallback) = 0;
  // True when the place the values live in could not be read as a whole (a
  // damaged settings file): what was read from it cannot be trusted.
  [[nodiscard]] virtual bool FoundDamaged() = 0;
  // Creates or replaces the value.
  virtual void Write(const std::string& section, const std::string& key,
                     const std::string& value) = 0;
  // Makes the writes lasting; throws HistoryError when the store refuses them.
  // Judged by the writes alone: damage found while reading does not count.
  virtual void Commit() = 0;
  // Where the values live, for messages: a file path or a registry key.
  [[nodiscard]] virtual std::string Location() const = 0;
};

}  // namespace orvanel
