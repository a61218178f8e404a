#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "settings_store.h"
#include "store_writer.h"

class QSettings;

namespace orvanel {

// The settings store on QSettings, in the platform's native per-user place for
// one application (see store_location.h): the registry on Windows, a property
// list on macOS. Only the user's own values count: the system-wide and
// organization-wide fallbacks are switched off.
class QSettingsStore final : public SettingsStore {
 public:
  explicit QSettingsStore(std::string application);
  // The store at a place of its own, in the native form: a registry key on
  // Windows ("HKEY_CURRENT_USER\\Software\\…"), a file elsewhere. Tests keep
  // their values there, apart from the user's.
  struct NativePlace {
    std::string path;
  };
  explicit QSettingsStore(NativePlace place);
  ~QSettingsStore() override;

  [[nodiscard]] std::string Read(const std::string& section, const std::string& key,
                                 const std::string& fallback) override;
  [[nodiscard]] std::optional<UnusableKind> UnusableKindOf(const std::string& section,
                                                           const std::string& key) override;
  [[nodiscard]] StoreCondition Condition() override;
  void Write(const std::string& section, const std::string& key, const std::string& value) override;
  void Commit(std::chrono::milliseconds patience) override;
  [[nodiscard]] std::shared_ptr<const WriteOutcome> CommitInBackground() override;
  [[nodiscard]] std::string Location() const override;

 private:
  [[nodiscard]] static std::unique_ptr<QSettings> Open(const std::string& application,
                                                       const std::optional<NativePlace>& place);
  [[nodiscard]] StoreWriter::Write TakeWrite();

  std::string application_;
  std::optional<NativePlace> place_;
  std::unique_ptr<QSettings> reader_;
  // By section and key: written, not yet committed.
  std::map<std::pair<std::string, std::string>, std::string> pending_;
  std::optional<StoreCondition> condition_;
  // A value was there that the store refused to give: nothing is written over
  // what could not be read.
  bool leftUnread_ = false;
  StoreWriter writer_;  // after reader_: it names the store's place
};

}  // namespace orvanel
