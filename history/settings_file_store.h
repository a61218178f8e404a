#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings_file.h"
#include "settings_store.h"
#include "store_layout.h"

namespace orvanel {

// How long reading and saving the settings file wait for the file system.
struct SettingsFilePatience {
  std::chrono::milliseconds read{5000};
  std::chrono::milliseconds save{5000};
};

// The settings store as a file of the program's own (~/.config/Orvanel/Orvanel.conf
// on Linux), read leniently and written whole: a save keeps only the values it
// writes, so that nothing in the file can make a later run fail to read it. See
// settings_file.h for the form and settings_file_io.h for which files are used.
//
// The file system may stop answering (a network mount that went away): reading
// and saving each give up after their patience, and report that.
class SettingsFileStore final : public SettingsStore {
 public:
  // A file larger than this is not a settings file.
  static constexpr std::size_t kLargestFile = 16 << 20;

  // `kept`: the one section and its keys that are read and kept; every other
  // line of the file is dropped by the next save.
  SettingsFileStore(std::string path, StoreLayout kept, SettingsFilePatience patience = {});

  [[nodiscard]] std::string Read(const std::string& section, const std::string& key,
                                 const std::string& fallback) override;
  [[nodiscard]] StoreCondition Condition() override;
  void Write(const std::string& section, const std::string& key, const std::string& value) override;
  void Commit() override;
  [[nodiscard]] std::string Location() const override { return path_; }

 private:
  struct Loaded {
    SettingsFileContents contents;
    StoreCondition condition;
  };
  const Loaded& Load();

  std::string path_;
  StoreLayout kept_;
  SettingsFilePatience patience_;
  std::optional<Loaded> loaded_;
  std::vector<SettingsSection> pending_;  // written, not yet committed
};

}  // namespace orvanel
