#include "trial_tally.h"

#include "checked_math.h"
#include "common_factor.h"

namespace orvanel {

void RecordTrial(TrialTally& tally, std::int32_t first, std::int32_t second) {
  tally.Total = CheckedAdd(tally.Total, 1, Quantity::kPeopleAsked);
  if (HasCommonFactor(first, second)) {
    tally.Hits = CheckedAdd(tally.Hits, 1, Quantity::kCommonFactorsFound);
  }
}

void RecomputeEstimate(TrialTally& tally) {
  constexpr Quantity kWhat = Quantity::kEstimate;
  const std::int32_t coprime =
      CheckedSubtract(tally.Total, tally.Hits, Quantity::kRelativelyPrimePairs);
  // The quotient first, then 6 divided by it: the order of the steps decides
  // which faults a tally outside its invariant raises.
  const double share = CheckedDivide(coprime, tally.Total, kWhat);
  const double square = CheckedDivide(6.0, share, kWhat);
  tally.Estimate = CheckedSqrt(square, kWhat);
}

StatusFigures MakeStatusFigures(const TrialTally& tally) {
  return StatusFigures{tally.Estimate, tally.Total,
                       CheckedSubtract(tally.Total, tally.Hits, Quantity::kRelativelyPrimePairs)};
}

}  // namespace orvanel
