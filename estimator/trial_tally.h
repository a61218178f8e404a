#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanel {

// The state of the experiment. Invariant, kept by RecordTrial whenever the loaded
// values satisfied it: 0 <= Hits <= Total. Total - Hits is the number of pairs
// taken as relatively prime.
struct TrialTally {
  std::int32_t Total = 0;  // trials counted
  std::int32_t Hits = 0;   // trials in which a common factor was found
  double Estimate = 0.0;   // latest estimate of pi, unrounded
  friend bool operator==(const TrialTally&, const TrialTally&) = default;
};

// Counts one trial: Total first (an overflow leaves everything unchanged), then
// the common-factor test, then Hits if it found a factor.
void RecordTrial(TrialTally& tally, std::int32_t first, std::int32_t second);

// Estimate = sqrt(6 / ((Total - Hits) / Total)). Callers call it only when
// Total != Hits. On an error Estimate keeps its previous value.
void RecomputeEstimate(TrialTally& tally);

// The three status lines.
struct StatusTexts {
  std::string estimate;  // "is about 3.1414"
  std::string total;     // " based on  1000 virtual people asked"
  std::string hits;      // "and  608 guesses being relatively prime"
};

[[nodiscard]] StatusTexts MakeStatusTexts(const TrialTally& tally,
                                          std::string_view decimal_separator);

}  // namespace orvanel
