#include "saved_history.h"

#include <cmath>
#include <string>

#include "number_reader.h"
#include "number_text.h"

namespace orvanel {
namespace {

const std::string kSection = "History";
const std::string kEstimateKey = "Estimate";
const std::string kTotalKey = "Total";
const std::string kHitsKey = "Hits";
const std::string kDefault = "0";

std::string ReadText(SettingsStore& store, const std::string& key) {
  return store.Read(kSection, key, kDefault);
}

}  // namespace

LoadedHistory LoadHistory(SettingsStore& store) {
  LoadedHistory loaded;
  const std::string estimate_text = ReadText(store, kEstimateKey);
  const std::string total_text = ReadText(store, kTotalKey);
  const std::string hits_text = ReadText(store, kHitsKey);

  const double estimate = ReadNumber(estimate_text);
  if (std::isfinite(estimate)) {
    loaded.tally.Estimate = estimate;
  } else {
    loaded.unusableEstimate = UnusableValue{kEstimateKey, estimate_text};
  }
  const auto total = ToCount(ReadNumber(total_text));
  const auto hits = ToCount(ReadNumber(hits_text));
  if (!total) {
    loaded.unusableCount = UnusableValue{kTotalKey, total_text};
  } else if (!hits) {
    loaded.unusableCount = UnusableValue{kHitsKey, hits_text};
  }
  loaded.storeDamaged = store.FoundDamaged();

  if (loaded.StartedFromZero()) {
    loaded.tally = TrialTally{};
  } else {
    loaded.tally.Total = *total;
    loaded.tally.Hits = *hits;
  }
  return loaded;
}

void SaveHistory(SettingsStore& store, const TrialTally& tally) {
  store.Write(kSection, kEstimateKey, NumberText(tally.Estimate));
  store.Write(kSection, kTotalKey, NumberText(tally.Total));
  store.Write(kSection, kHitsKey, NumberText(tally.Hits));
  store.Commit();
}

}  // namespace orvanel
