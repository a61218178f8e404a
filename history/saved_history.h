#pragma once

#include <ostream>

#include "errors.h"
#include "estimator.h"
#include "settings_store.h"

namespace orvanel {

// The store refused to keep the tally.
class HistoryError : public OrvanelError {
 public:
  using OrvanelError::OrvanelError;
};

// The start of a run: seeds the generator, starts with random pairs, then reads
// "Estimate", "Total" and "Hits" in that order. The status lines are not redrawn
// and the estimate is not recomputed. A value that cannot be held (a count
// outside 32 bits, an estimate beyond a double) starts at 0, with one line on
// `warnings` naming the key, the text found and where the store lives.
void LoadHistory(SettingsStore& store, Estimator& estimator, std::ostream& warnings);

// The end of a run: writes "Estimate", "Total" and "Hits" in that order and makes
// them lasting. Throws HistoryError when the store refuses.
void SaveHistory(SettingsStore& store, const TrialTally& tally);

}  // namespace orvanel
