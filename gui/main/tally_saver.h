#pragma once

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "estimator/trial_tally.h"
#include "gui/messages/reporter.h"
#include "gui/platform/monotonic_clock.h"
#include "history/record_file.h"
#include "history/settings_store.h"
#include "history/store_writer.h"

class QTimer;

namespace orvanel {

// Keeps the tally saved: exactly, on every way out, and in between by
// checkpoints, so that a crash, a kill or a power cut costs at most about a
// minute of trials, however long the run.
//
// A checkpoint is written in the background, through the store's one write in
// flight: the window's thread never waits for it, and it never shows a
// message. It comes at most kCheckpointInterval after the last save while the
// tally changes, and soon after a natural point (the trials stop, a file is
// chosen or ends, the limit). While the tally stands still nothing is written
// and no timer runs. A checkpoint that fails is told once, on stderr, and the
// next change of the tally tries again.
class TallySaver final : public QObject {
 public:
  static constexpr std::chrono::seconds kCheckpointInterval{60};

  // Whether a person may be there to read a message: after Exit or the close
  // button, yes; after a signal, a session end or the quit, nobody may be, and
  // nothing may wait for a click.
  using Attendance = Reporter::Attendance;

  // `tally` gives the tally as it stands.
  TallySaver(SettingsStore& store, Reporter& reporter, const MonotonicClock& clock,
             std::function<TrialTally()> tally, QObject* parent);

  // The store holds `tally`, as loaded at the start.
  void Loaded(const TrialTally& tally) { saved_ = tally; }

  // The chart's record, as it stands up to a tally, is written to `file` after
  // each save of that tally that held, so that the two are found together.
  using RecordOf = std::function<SavedRecord(const TrialTally&)>;
  void KeepRecord(RecordFile& file, RecordOf record_of);

  // The tally may have changed: a checkpoint once the interval since the last
  // save has passed, by the clock (at once when it has).
  void Note();
  // A natural point: a checkpoint as soon as the handler at work has returned.
  void CheckpointSoon();

  // Saves the tally as it stands, waiting for the system (and for a checkpoint
  // under way) as long as `attendance` allows. A failure goes to stderr, unless
  // the same sentence was the last one told there, and comes back for the
  // window to show when a person is there; nothing when the save held. What
  // the last way out saved is not saved again; a failed save is always tried
  // again.
  [[nodiscard]] std::optional<QString> Save(Attendance attendance);
  // 0 when the last save succeeded, 1 when it failed.
  [[nodiscard]] int ExitStatus() const { return lastSaveFailed_ ? 1 : 0; }

 private:
  // Whether the tally differs from what the store holds and from a checkpoint
  // that failed with it.
  [[nodiscard]] bool Changed(const TrialTally& tally) const;
  void Checkpoint();
  void LookAtCheckpoint();
  void TellOnce(const QString& sentence);

  SettingsStore& store_;
  Reporter& reporter_;
  const MonotonicClock& clock_;
  std::function<TrialTally()> tally_;
  std::optional<TrialTally> saved_;      // as the store holds it, where known
  std::optional<TrialTally> failed_;     // a checkpoint of it failed
  std::optional<TrialTally> leftSaved_;  // what a way out saved
  std::chrono::nanoseconds lastBegun_;
  struct InFlight {
    std::shared_ptr<const WriteOutcome> outcome;
    TrialTally tally;
    std::optional<SavedRecord> record;  // to write once the tally's save held
  };
  std::optional<InFlight> inFlight_;
  bool checkpointWanted_ = false;  // a natural point came while one was under way
  QTimer* due_;                    // the next checkpoint
  QTimer* look_;                   // looks at the checkpoint under way
  bool lastSaveFailed_ = false;
  QString lastTold_;
  RecordFile* recordFile_ = nullptr;
  RecordOf recordOf_;
};

}  // namespace orvanel
