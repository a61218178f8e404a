#include "saved_history.h"

#include <cmath>
#include <string>

#include "estimator/number_text.h"
#include "number_reader.h"
#include "saved_section.h"

namespace orvanel {
namespace {

const std::string& kSection = HistorySection().section;
const std::string& kEstimateKey = HistorySection().keys[0];
const std::string& kTotalKey = HistorySection().keys[1];
const std::string& kHitsKey = HistorySection().keys[2];
const std::string kDefault = "0";

std::string ReadText(SettingsStore& store, const std::string& key) {
  return store.Read(kSection, key, kDefault);
}

}  // namespace

const SavedSection& HistorySection() {
  static const SavedSection layout{"History", {"Estimate", "Total", "Hits"}};
  return layout;
}

LoadedHistory LoadHistory(SettingsStore& store) {
  LoadedHistory loaded;
  const std::string estimate_text = ReadText(store, kEstimateKey);
  const std::string total_text = ReadText(store, kTotalKey);
  const std::string hits_text = ReadText(store, kHitsKey);

  const double estimate = ReadNumber(estimate_text);
  const auto estimate_kind = store.UnusableKindOf(kSection, kEstimateKey);
  if (std::isfinite(estimate) && !estimate_kind) {
    loaded.tally.Estimate = estimate;
  } else {
    loaded.unusableEstimate = UnusableValue{kEstimateKey, estimate_text, estimate_kind};
  }
  const auto total_kind = store.UnusableKindOf(kSection, kTotalKey);
  const auto hits_kind = store.UnusableKindOf(kSection, kHitsKey);
  const auto total = total_kind ? std::nullopt : ToCount(ReadNumber(total_text));
  const auto hits = hits_kind ? std::nullopt : ToCount(ReadNumber(hits_text));
  if (!total) {
    loaded.unusableCount = UnusableValue{kTotalKey, total_text, total_kind};
  } else if (!hits) {
    loaded.unusableCount = UnusableValue{kHitsKey, hits_text, hits_kind};
  }
  loaded.store = store.Condition();

  if (loaded.StartedFromZero()) {
    loaded.tally = TrialTally{};
  } else {
    loaded.tally.Total = *total;
    loaded.tally.Hits = *hits;
  }
  return loaded;
}

namespace {

void WriteHistory(SettingsStore& store, const TrialTally& tally) {
  store.Write(kSection, kEstimateKey, NumberText(tally.Estimate));
  store.Write(kSection, kTotalKey, NumberText(tally.Total));
  store.Write(kSection, kHitsKey, NumberText(tally.Hits));
}

}  // namespace

void SaveHistory(SettingsStore& store, const TrialTally& tally,
                 std::chrono::milliseconds patience) {
  WriteHistory(store, tally);
  store.Commit(patience);
}

std::shared_ptr<const WriteOutcome> CheckpointHistory(SettingsStore& store,
                                                      const TrialTally& tally) {
  WriteHistory(store, tally);
  return store.CommitInBackground();
}

}  // namespace orvanel
