#include "settings_file_store.h"

#include <algorithm>
#include <functional>
#include <system_error>

#include "base/helper_thread.h"
#include "settings_file_io.h"

namespace orvanel {

SettingsFileStore::SettingsFileStore(std::string path, StoreLayout kept,
                                     SettingsFilePatience patience)
    : path_(std::move(path)), kept_(std::move(kept)), patience_(patience) {}

// The file is read once, at the first question about it.
const SettingsFileStore::Loaded& SettingsFileStore::Load() {
  if (loaded_) return *loaded_;
  const std::string path = path_;
  Loaded loaded;
  auto& condition = loaded.condition;
  std::optional<SettingsFileRead> read;
  try {
    read = RunWithPatience<SettingsFileRead>(
        patience_.read, [path] { return ReadSettingsFileBytes(path, kLargestFile); });
  } catch (const std::system_error&) {
    condition.state = StoreCondition::State::kUnreadable;
    condition.fault = StoreFault{StoreFault::Kind::kNoThread, 0};
    return loaded_.emplace(std::move(loaded));
  }
  if (!read) {
    condition.state = StoreCondition::State::kUnreadable;
    condition.fault = StoreFault{StoreFault::Kind::kNoAnswer, 0};
  } else if (read->outcome == SettingsFileRead::Outcome::kFailed) {
    condition.state = StoreCondition::State::kUnreadable;
    condition.fault = read->fault;
  } else if (read->outcome == SettingsFileRead::Outcome::kRead) {
    loaded.contents = ReadSettingsFile(read->bytes, kept_.section, kept_.keys);
    condition.holdsOtherLines = loaded.contents.holdsOtherLines;
    if (loaded.contents.holdsAnything && !loaded.contents.foundSection) {
      condition.state = StoreCondition::State::kDamaged;
      loaded.contents.values.clear();
    }
  }
  return loaded_.emplace(std::move(loaded));
}

std::string SettingsFileStore::Read(const std::string& section, const std::string& key,
                                    const std::string& fallback) {
  if (section != kept_.section) return fallback;
  const auto& values = Load().contents.values;
  const auto found = values.find(key);
  return found == values.end() ? fallback : found->second;
}

StoreCondition SettingsFileStore::Condition() {
  return Load().condition;
}

void SettingsFileStore::Write(const std::string& section, const std::string& key,
                              const std::string& value) {
  auto in_section = std::find_if(pending_.begin(), pending_.end(),
                                 [&section](const auto& entry) { return entry.first == section; });
  if (in_section == pending_.end()) in_section = pending_.insert(pending_.end(), {section, {}});
  auto& values = in_section->second;
  const auto same_key = std::find_if(values.begin(), values.end(),
                                     [&key](const auto& kv) { return kv.first == key; });
  if (same_key == values.end()) {
    values.emplace_back(key, value);
  } else {
    same_key->second = value;
  }
}

void SettingsFileStore::Commit() {
  const std::string text = SettingsFileText(std::exchange(pending_, {}));
  const std::string path = path_;
  std::optional<std::optional<StoreFault>> refused;
  try {
    refused = RunWithPatience<std::optional<StoreFault>>(
        patience_.save, [path, text] { return ReplaceSettingsFile(path, text); });
  } catch (const std::system_error&) {
    throw HistoryError(path_, StoreFault{StoreFault::Kind::kNoThread, 0});
  }
  if (!refused) throw HistoryError(path_, StoreFault{StoreFault::Kind::kNoAnswer, 0});
  if (*refused) throw HistoryError(path_, **refused);
}

}  // namespace orvanel
