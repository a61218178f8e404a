#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chart/convergence_record.h"

namespace orvanel {

// The convergence record as it is kept in its own file beside the saved tally,
// so that a resumed tally's chart shows the experiment since the last Reset.
struct SavedRecord {
  std::vector<ConvergenceRecord::Point> points;
  std::int64_t continuedFrom = 0;  // as ConvergenceRecord::ContinuedFrom
  friend bool operator==(const SavedRecord&, const SavedRecord&) = default;
};

// The text of the file: a first line that names it, a line "continued from N"
// where the record began at a carried tally, then a line for each point, its
// pairs and its estimate, in the same digits in every locale (the estimate
// with 17 significant digits, so that it reads back exactly).
[[nodiscard]] std::string RecordText(const SavedRecord& record);

// The record of such a text; nothing when it is not one, or its points are
// not in order (a damaged file).
[[nodiscard]] std::optional<SavedRecord> ReadRecordText(std::string_view text);

// The record as it is saved with the tally `total` and `estimate`: its points
// up to the tally's count, ending at the tally itself.
[[nodiscard]] SavedRecord RecordUpTo(const ConvergenceRecord& record, std::int64_t total,
                                     double estimate);

// The record to go on with, for the tally loaded with `total` and `estimate`:
// the saved one where it ends at that tally (it was saved with it); else one
// that begins at the tally and says so. The tally alone decides: a record
// that does not fit is set aside.
[[nodiscard]] ConvergenceRecord CarriedRecord(const std::optional<SavedRecord>& saved,
                                              std::int64_t total, double estimate);

}  // namespace orvanel
