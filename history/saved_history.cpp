#include "saved_history.h"

#include <cmath>
#include <string>

#include "number_reader.h"
#include "number_text.h"

namespace orvanel {
namespace {

const std::string kApplication = "Orvanel";
const std::string kSection = "History";
const std::string kEstimateKey = "Estimate";
const std::string kTotalKey = "Total";
const std::string kHitsKey = "Hits";
const std::string kDefault = "0";

void WarnUnusable(std::ostream& warnings, const std::string& key, const std::string& text,
                  const SettingsStore& store) {
  warnings << "Orvanel: the saved " << key << " \"" << text
           << "\" cannot be used and starts again at 0 (saved in " << store.Location() << ").\n";
}

std::int32_t LoadCount(SettingsStore& store, const std::string& key, std::ostream& warnings) {
  const std::string text = store.Read(kApplication, kSection, key, kDefault);
  if (const auto count = ToCount(ReadNumber(text))) return *count;
  WarnUnusable(warnings, key, text, store);
  return 0;
}

}  // namespace

void LoadHistory(SettingsStore& store, Estimator& estimator, std::ostream& warnings) {
  estimator.SeedGenerator();
  estimator.StartWithRandomPairs();
  TrialTally& tally = estimator.Tally();

  const std::string estimate_text = store.Read(kApplication, kSection, kEstimateKey, kDefault);
  const double estimate = ReadNumber(estimate_text);
  if (std::isfinite(estimate)) {
    tally.Estimate = estimate;
  } else {
    WarnUnusable(warnings, kEstimateKey, estimate_text, store);
    tally.Estimate = 0.0;
  }
  tally.Total = LoadCount(store, kTotalKey, warnings);
  tally.Hits = LoadCount(store, kHitsKey, warnings);
}

void SaveHistory(SettingsStore& store, const TrialTally& tally) {
  store.Write(kApplication, kSection, kEstimateKey, NumberText(tally.Estimate));
  store.Write(kApplication, kSection, kTotalKey, NumberText(tally.Total));
  store.Write(kApplication, kSection, kHitsKey, NumberText(tally.Hits));
  store.Commit();
}

}  // namespace orvanel
