#pragma once

#include <cerrno>
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "history/saved_history.h"
#include "history/settings_store.h"

namespace orvanel::testing {

// A settings store in memory that logs every read, write and commit.
class RecordingStore final : public SettingsStore {
 public:
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& fallback) override {
    log.push_back("read " + application + "/" + section + "/" + key + " default " + fallback);
    const auto found = values.find(key);
    return found == values.end() ? fallback : found->second;
  }
  StoreCondition Condition() override { return condition; }
  void Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    log.push_back("write " + application + "/" + section + "/" + key + " =" + value);
    values[key] = value;
  }
  void Commit(std::chrono::milliseconds patience) override {
    log.push_back("commit");
    ++commits;
    lastPatience = patience;
    if (refuse) {
      if (refuseOnce) refuse = false;
      throw HistoryError(Location(), StoreFault{StoreFault::Kind::kSystem, refusal});
    }
  }
  std::string Location() const override { return "the test store"; }

  std::string application = kApplicationName;
  std::map<std::string, std::string> values;
  std::vector<std::string> log;
  int commits = 0;
  std::chrono::milliseconds lastPatience{0};
  bool refuse = false;
  bool refuseOnce = false;  // the next refusal is the last
  int refusal = ENOSPC;
  StoreCondition condition;
};

}  // namespace orvanel::testing
