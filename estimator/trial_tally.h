#pragma once

#include <cstdint>

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

// What the three status lines show: the estimate and the two counts. The window
// puts them into words.
struct StatusFigures {
  double estimate = 0.0;             // shown with four decimals
  std::int32_t total = 0;            // trials counted
  std::int32_t relativelyPrime = 0;  // Total - Hits, the pairs without a common factor
  friend bool operator==(const StatusFigures&, const StatusFigures&) = default;
};

// The figures of a tally. Total - Hits is checked: a tally outside its invariant
// could take it out of range, which the lines must not hide.
[[nodiscard]] StatusFigures MakeStatusFigures(const TrialTally& tally);

}  // namespace orvanel
