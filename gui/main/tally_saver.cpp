#include "tally_saver.h"

#include <QTimer>

#include <algorithm>
#include <chrono>
#include <exception>

#include "gui/messages/messages.h"
#include "history/saved_history.h"

namespace orvanel {
namespace {

// How often the window's thread looks at a checkpoint under way.
constexpr int kLookMilliseconds = 25;

}  // namespace

TallySaver::TallySaver(SettingsStore& store, Reporter& reporter, const MonotonicClock& clock,
                       std::function<TrialTally()> tally, QObject* parent)
    : QObject(parent),
      store_(store),
      reporter_(reporter),
      clock_(clock),
      tally_(std::move(tally)),
      lastBegun_(clock.Now()),
      due_(new QTimer(this)),
      look_(new QTimer(this)) {
  due_->setObjectName("CheckpointTimer");
  due_->setSingleShot(true);
  connect(due_, &QTimer::timeout, this, &TallySaver::Checkpoint);
  look_->setInterval(kLookMilliseconds);
  connect(look_, &QTimer::timeout, this, &TallySaver::LookAtCheckpoint);
}

void TallySaver::KeepRecord(RecordFile& file, RecordOf record_of) {
  recordFile_ = &file;
  recordOf_ = std::move(record_of);
}

bool TallySaver::Changed(const TrialTally& tally) const {
  return saved_ != tally && failed_ != tally;
}

void TallySaver::Note() {
  if (inFlight_ || !Changed(tally_())) return;
  const auto wait = lastBegun_ + kCheckpointInterval - clock_.Now();
  if (wait <= std::chrono::nanoseconds::zero()) {
    Checkpoint();
  } else if (!due_->isActive()) {
    due_->start(std::chrono::ceil<std::chrono::milliseconds>(wait));
  }
}

void TallySaver::CheckpointSoon() {
  if (inFlight_) {
    checkpointWanted_ = true;
    return;
  }
  due_->start(0);
}

void TallySaver::Checkpoint() {
  due_->stop();
  const TrialTally tally = tally_();
  if (inFlight_ || !Changed(tally)) return;
  lastBegun_ = clock_.Now();
  std::shared_ptr<const WriteOutcome> outcome;
  try {
    outcome = CheckpointHistory(store_, tally);
  } catch (const std::exception& error) {
    failed_ = tally;
    TellOnce(ErrorText(error));
    return;
  }
  // A save that outlived its patience is still under way: the next change
  // tries again, once the interval has passed.
  if (!outcome) return;
  // The record as it stands with this tally: later trials may add to it, or a
  // Reset clear it, before the save has held.
  inFlight_ =
      InFlight{outcome, tally, recordFile_ ? std::optional(recordOf_(tally)) : std::nullopt};
  LookAtCheckpoint();
  if (inFlight_) look_->start();
}

void TallySaver::LookAtCheckpoint() {
  if (!inFlight_ || !inFlight_->outcome->Finished()) return;
  look_->stop();
  const InFlight done = *std::exchange(inFlight_, std::nullopt);
  if (const auto fault = done.outcome->Fault()) {
    failed_ = done.tally;
    TellOnce(ErrorText(HistoryError(store_.Location(), *fault)));
  } else {
    saved_ = done.tally;
    failed_.reset();
    lastTold_.clear();
    if (done.record) recordFile_->Save(*done.record);
  }
  if (std::exchange(checkpointWanted_, false)) {
    CheckpointSoon();
  } else {
    Note();
  }
}

std::optional<QString> TallySaver::Save(Attendance attendance) {
  due_->stop();
  look_->stop();
  checkpointWanted_ = false;
  const TrialTally tally = tally_();
  if (leftSaved_ == tally) return std::nullopt;
  // The store waits for a checkpoint under way before it writes this.
  inFlight_.reset();
  lastBegun_ = clock_.Now();
  const auto patience = attendance == Attendance::kNobodyWatching ? kSavePatienceUnattended
                                                                  : kSavePatienceWithAPerson;
  // The record shares the tally's patience: a slow disk never doubles the wait.
  const auto deadline = std::chrono::steady_clock::now() + patience;
  try {
    SaveHistory(store_, tally, patience);
    saved_ = leftSaved_ = tally;
    lastSaveFailed_ = false;
    lastTold_.clear();
    if (recordFile_) {
      recordFile_->Save(recordOf_(tally));
      recordFile_->Finish(std::max(std::chrono::milliseconds(0),
                                   std::chrono::duration_cast<std::chrono::milliseconds>(
                                       deadline - std::chrono::steady_clock::now())));
    }
    return std::nullopt;
  } catch (const std::exception& error) {
    saved_.reset();  // whether an unfinished save landed is unknown
    lastSaveFailed_ = true;
    const QString failure = ErrorText(error);
    TellOnce(failure);
    return failure;
  }
}

// Repeating the same failure would only repeat its line on stderr.
void TallySaver::TellOnce(const QString& sentence) {
  if (sentence == lastTold_) return;
  lastTold_ = sentence;
  reporter_.Tell(nullptr, sentence, Attendance::kNobodyWatching);
}

}  // namespace orvanel
