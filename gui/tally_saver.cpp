#include "tally_saver.h"

#include "history/saved_history.h"
#include "messages.h"

namespace orvanel {

// Repeating a failure to nobody would only repeat its line on stderr.
std::optional<QString> TallySaver::Save(const TrialTally& tally, Attendance attendance) {
  if (lastAttempt_ == tally && (!lastSaveFailed_ || attendance == Attendance::kNobodyWatching)) {
    return lastSaveFailed_ ? std::optional(lastFailure_) : std::nullopt;
  }
  lastAttempt_ = tally;
  try {
    SaveHistory(store_, tally,
                attendance == Attendance::kNobodyWatching ? kSavePatienceUnattended
                                                          : kSavePatienceWithAPerson);
    lastSaveFailed_ = false;
    return std::nullopt;
  } catch (const std::exception& error) {
    lastSaveFailed_ = true;
    lastFailure_ = ErrorText(error);
    reporter_.Tell(nullptr, lastFailure_, Attendance::kNobodyWatching);
    return lastFailure_;
  }
}

}  // namespace orvanel
