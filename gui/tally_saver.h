#pragma once

#include <optional>

#include "estimator/trial_tally.h"
#include "history/settings_store.h"
#include "reporter.h"

#include <QString>

namespace orvanel {

// Saves the tally on the ways out, and keeps how the last save went, which is
// what the exit status tells.
class TallySaver {
 public:
  // Whether a person may be there to read a message: after Exit or the close
  // button, yes; after a signal, a session end or the quit, nobody may be, and
  // nothing may wait for a click.
  using Attendance = Reporter::Attendance;

  TallySaver(SettingsStore& store, Reporter& reporter) : store_(store), reporter_(reporter) {}

  // Saves the tally, waiting for the system as long as `attendance` allows. A
  // failure goes to stderr at once, and its sentence comes back for the window
  // to show when a person is there; nothing when the save held. What the last
  // attempt wrote is not written again unless it failed with a person there,
  // who may be asking to try again.
  [[nodiscard]] std::optional<QString> Save(const TrialTally& tally, Attendance attendance);
  // 0 when the last save succeeded, 1 when it failed.
  [[nodiscard]] int ExitStatus() const { return lastSaveFailed_ ? 1 : 0; }

 private:
  SettingsStore& store_;
  Reporter& reporter_;
  std::optional<TrialTally> lastAttempt_;
  bool lastSaveFailed_ = false;
  QString lastFailure_;
};

}  // namespace orvanel
