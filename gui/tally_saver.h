#pragma once

#include <optional>

#include "estimator/trial_tally.h"
#include "history/settings_store.h"
#include "reporter.h"

class QWidget;

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

  // A failed save is told: on stderr, and in a message when a person is present.
  void Save(const TrialTally& tally, Attendance attendance, QWidget* parent);
  // 0 when the last save succeeded, 1 when it failed.
  [[nodiscard]] int ExitStatus() const { return lastSaveFailed_ ? 1 : 0; }

 private:
  SettingsStore& store_;
  Reporter& reporter_;
  std::optional<TrialTally> lastAttempt_;
  bool lastSaveFailed_ = false;
};

}  // namespace orvanel
