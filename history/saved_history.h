#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "estimator/trial_tally.h"
#include "settings_store.h"
#include "store_writer.h"

namespace orvanel {

// A saved value that cannot be held in the tally: its key and the text found,
// or the kind of value that holds no number whatever it holds.
struct UnusableValue {
  std::string key;
  std::string text;
  std::optional<UnusableKind> kind;
  friend bool operator==(const UnusableValue&, const UnusableValue&) = default;
};

// The tally as the last run left it, and what could not be used of it.
struct LoadedHistory {
  TrialTally tally;
  // What reading the store found: a store that could not be read, or holds no
  // saved tally, gives nothing to trust.
  StoreCondition store;
  // The first of Total and Hits that cannot be held (outside 32 bits).
  std::optional<UnusableValue> unusableCount;
  // An estimate beyond the range of a double.
  std::optional<UnusableValue> unusableEstimate;

  // A half-usable tally would fail at the first estimate, so an unusable count
  // or a store that gave nothing to trust starts all three values from zero;
  // the user is told.
  [[nodiscard]] bool StartedFromZero() const {
    return store.state != StoreCondition::State::kReadable || unusableCount.has_value();
  }
};

// Reads "Estimate", "Total" and "Hits", in that order. Values that break the
// invariant are kept as they stand: the next estimate reports them, and Reset
// recovers. An unusable estimate alone starts at 0 (the next estimate replaces
// it anyway).
[[nodiscard]] LoadedHistory LoadHistory(SettingsStore& store);

// How long a save may wait for the system: a person who closed the window may
// wait a moment longer than a signal or a session end, which must end soon.
inline constexpr std::chrono::milliseconds kSavePatienceWithAPerson{5000};
inline constexpr std::chrono::milliseconds kSavePatienceUnattended{1500};

// Writes "Estimate", "Total" and "Hits" in that order and makes them lasting,
// waiting at most `patience`. Throws HistoryError when the store refuses.
void SaveHistory(SettingsStore& store, const TrialTally& tally,
                 std::chrono::milliseconds patience = kSavePatienceWithAPerson);

// A checkpoint: writes the three values as SaveHistory does, and makes them
// lasting in the background without waiting at all. What will come of it;
// nothing when an earlier save is still under way (nothing is saved then).
[[nodiscard]] std::shared_ptr<const WriteOutcome> CheckpointHistory(SettingsStore& store,
                                                                    const TrialTally& tally);

}  // namespace orvanel
