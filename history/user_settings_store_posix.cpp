// The user's store on Linux and other Unix systems: the program's own file in
// the user's configuration folder.
#include <cstdlib>

#include "saved_section.h"
#include "settings_file_store.h"
#include "settings_names.h"
#include "store_writer.h"
#include "user_config_folder.h"
#include "user_settings_store.h"

namespace orvanel {
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
    condition.unwritable = FileFailure{FileFailure::Kind::kNoHome, 0};
    return condition;
  }
  void Write(const std::string&, const std::string&, const std::string&) override {}
  void Commit(std::chrono::milliseconds) override {
    throw HistoryError(location_, FileFailure{FileFailure::Kind::kNoHome, 0});
  }
  std::shared_ptr<const WriteOutcome> CommitInBackground() override {
    auto refused = std::make_shared<WriteOutcome>();
    refused->Finish(FileFailure{FileFailure::Kind::kNoHome, 0});
    return refused;
  }
  std::string Location() const override { return location_; }

 private:
  std::string location_;
};

// Below the user's configuration folder: the program's own folder in it.
std::string ProgramFolder() {
  return "/" + SettingsNamesFor(kApplicationName).organization + "/";
}

}  // namespace

std::unique_ptr<SettingsStore> MakeUserSettingsStore() {
  const std::string below =
      ProgramFolder() + SettingsNamesFor(kApplicationName).application + ".conf";
  const auto folder = FindUserConfigFolder(std::getenv, DatabaseHome());
  if (!folder) return std::make_unique<HomelessStore>("~/.config" + below);
  return std::make_unique<SettingsFileStore>(folder->folder + below, HistorySection(),
                                             folder->base);
}

std::string UserRecordPath() {
  const auto folder = FindUserConfigFolder(std::getenv, DatabaseHome());
  return folder ? folder->folder + ProgramFolder() + kRecordFileName : std::string();
}

}  // namespace orvanel
