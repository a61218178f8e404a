#include "user_settings_store.h"

#include "qsettings_store.h"
#include "store_layout.h"
#include "store_location.h"

#ifdef ORVANEL_SETTINGS_FILE
#include <cstdlib>

#include "config_place.h"
#include "settings_file_store.h"
#include "store_writer.h"
#endif

namespace orvanel {

#ifdef ORVANEL_SETTINGS_FILE
namespace {

// No home folder is known: nothing was ever saved, and nothing can be.
class HomelessStore final : public SettingsStore {
 public:
  explicit HomelessStore(std::string location) : location_(std::move(location)) {}
  std::string Read(const std::string&, const std::string&, const std::string& fallback) override {
    return fallback;
  }
  StoreCondition Condition() override {
    StoreCondition condition;
    condition.unwritable = StoreFault{StoreFault::Kind::kNoHome, 0};
    return condition;
  }
  void Write(const std::string&, const std::string&, const std::string&) override {}
  void Commit(std::chrono::milliseconds) override {
    throw HistoryError(location_, StoreFault{StoreFault::Kind::kNoHome, 0});
  }
  std::shared_ptr<const WriteOutcome> CommitInBackground() override {
    auto refused = std::make_shared<WriteOutcome>();
    refused->Finish(StoreFault{StoreFault::Kind::kNoHome, 0});
    return refused;
  }
  std::string Location() const override { return location_; }

 private:
  std::string location_;
};

}  // namespace
#endif

std::unique_ptr<SettingsStore> MakeUserSettingsStore() {
#ifdef ORVANEL_SETTINGS_FILE
  const StoreLocation location = LocationFor(CurrentPlatform(), kApplicationName);
  const std::string below = "/" + location.organization + "/" + location.application + ".conf";
  const auto place = UserConfigPlace(std::getenv, DatabaseHome());
  if (!place) return std::make_unique<HomelessStore>("~/.config" + below);
  return std::make_unique<SettingsFileStore>(place->folder + below, HistoryLayout(), place->base);
#else
  return std::make_unique<QSettingsStore>(kApplicationName);
#endif
}

}  // namespace orvanel
