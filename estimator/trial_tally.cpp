#include "trial_tally.h"

#include "checked_math.h"
#include "common_factor.h"
#include "number_text.h"

namespace orvanel {

void RecordTrial(TrialTally& tally, std::int32_t first, std::int32_t second) {
  tally.Total = CheckedAdd(tally.Total, 1, "number of people asked");
  if (HasCommonFactor(first, second)) {
    tally.Hits = CheckedAdd(tally.Hits, 1, "number of common factors found");
  }
}

void RecomputeEstimate(TrialTally& tally) {
  constexpr std::string_view kWhat = "estimate of pi";
  const std::int32_t coprime = CheckedSubtract(tally.Total, tally.Hits, "number of relatively prime pairs");
  // The quotient first, then 6 divided by it: the order of the steps decides
  // which faults a tally outside its invariant raises.
  const double share = CheckedDivide(coprime, tally.Total, kWhat);
  const double square = CheckedDivide(6.0, share, kWhat);
  tally.Estimate = CheckedSqrt(square, kWhat);
}

StatusTexts MakeStatusTexts(const TrialTally& tally, std::string_view decimal_separator) {
  // The count of relatively prime pairs is shown as it stands; a tally outside its
  // invariant could make the difference overflow, which the texts must not hide.
  const std::int32_t coprime = CheckedSubtract(tally.Total, tally.Hits, "number of relatively prime pairs");
  return StatusTexts{
      "is about " + FixedFourDecimals(tally.Estimate, decimal_separator),
      " based on " + NumberText(tally.Total) + " virtual people asked",
      "and " + NumberText(coprime) + " guesses being relatively prime",
  };
}

}  // namespace orvanel
