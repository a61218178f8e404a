#include "tally_saver.h"

#include "history/saved_history.h"
#include "messages.h"

namespace orvanel {

// A save that would write what the last one wrote is skipped, unless the last
// one failed and a person is there to hear how a new attempt goes; repeating a
// failure to nobody would only repeat its line on stderr.
void TallySaver::Save(const TrialTally& tally, Attendance attendance, QWidget* parent) {
  if (lastAttempt_ == tally && (!lastSaveFailed_ || attendance == Attendance::kNobodyWatching)) {
    return;
  }
  lastAttempt_ = tally;
  try {
    SaveHistory(store_, tally,
                attendance == Attendance::kNobodyWatching ? kSavePatienceUnattended
                                                          : kSavePatienceWithAPerson);
    lastSaveFailed_ = false;
  } catch (const std::exception& error) {
    lastSaveFailed_ = true;
    reporter_.Tell(parent, ErrorText(error), attendance);
  }
}

}  // namespace orvanel
