#pragma once

#include <optional>

#include "reporter.h"
#include "settings_store.h"
#include "trial_tally.h"

class QWidget;

namespace orvanel {

// Saves the tally on the ways out and keeps what the way out is: whether the
// window was unloaded, whether anybody may be there to read a message, and how
// the last save went, which is what the exit status tells.
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

  // The window's unload, once: saves, telling a person who may be there.
  void Unload(const TrialTally& tally, QWidget* parent);
  [[nodiscard]] bool Unloaded() const { return unloaded_; }
  // From now on nobody may be there: a signal or the application's quit ends
  // the program.
  void NobodyWatches() { nobodyWatches_ = true; }

 private:
  SettingsStore& store_;
  Reporter& reporter_;
  std::optional<TrialTally> lastAttempt_;
  bool lastSaveFailed_ = false;
  bool unloaded_ = false;
  bool nobodyWatches_ = false;
};

}  // namespace orvanel
