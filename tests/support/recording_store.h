#pragma once

#include <cerrno>
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "history/saved_history.h"
#include "history/settings_names.h"
#include "history/settings_store.h"
#include "history/store_writer.h"

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
    if (const auto fault = Refusal()) throw HistoryError(Location(), *fault);
  }
  // Finishes at once, unless checkpoints are held: then the test finishes it.
  std::shared_ptr<const WriteOutcome> CommitInBackground() override {
    if (held && !held->Finished()) return nullptr;  // one write in flight
    log.push_back("checkpoint");
    ++checkpoints;
    auto outcome = std::make_shared<WriteOutcome>();
    if (holdCheckpoints) {
      held = outcome;
    } else {
      outcome->Finish(Refusal());
    }
    return outcome;
  }
  std::string Location() const override { return "the test store"; }

  std::optional<FileFailure> Refusal() {
    if (!refuse) return std::nullopt;
    if (refuseOnce) refuse = false;
    return FileFailure{FileFailure::Kind::kSystem, refusal};
  }

  std::string application = kApplicationName;
  std::map<std::string, std::string> values;
  std::vector<std::string> log;
  int commits = 0;
  int checkpoints = 0;
  bool holdCheckpoints = false;
  std::shared_ptr<WriteOutcome> held;  // the checkpoint under way while they are held
  std::chrono::milliseconds lastPatience{0};
  bool refuse = false;
  bool refuseOnce = false;  // the next refusal is the last
  int refusal = ENOSPC;
  StoreCondition condition;
};

}  // namespace orvanel::testing
