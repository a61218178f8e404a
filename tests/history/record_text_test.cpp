// The chart's record in its file beside the tally: the text, and which record
// a loaded tally goes on with.
#include "history/record_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace orvanel {
namespace {

using Points = std::vector<ConvergenceRecord::Point>;

TEST(RecordText, ReadsBackWhatItWroteExactly) {
  const SavedRecord records[] = {
      {},
      {{{1, 2.449489742783178}, {2, 1.7320508075688772}, {1'000'003, 3.1415926535897931}}, 0},
      {{{50'000'000, 3.14159}, {2'147'483'647, 0.1 + 0.2}}, 50'000'000},
  };
  for (const SavedRecord& record : records) {
    EXPECT_EQ(ReadRecordText(RecordText(record)), record) << RecordText(record);
  }
  EXPECT_EQ(RecordText({{{3, 3.0}}, 2}), "Orvanel convergence record 1\ncontinued from 2\n3 3\n");
}

// Whatever is not such a text, whole and in order, is no record.
TEST(RecordText, ReadsNothingFromADamagedFile) {
  const std::string first = "Orvanel convergence record 1\n";
  const std::string damaged[] = {
      "",
      "Orvanel convergence record 2\n1 3\n",
      first + "1 3\n1 3.1\n",               // the same count twice
      first + "5 3\n4 3.1\n",               // out of order
      first + "0 3\n",                      // no pairs
      first + "-3 3\n",                     //
      first + "3 0\n",                      // no estimate
      first + "3 nan\n",                    //
      first + "3 inf\n",                    //
      first + "3 3.1",                      // cut off
      first + "3 3.1\n4 3.",                //
      first + "3 3.1\nend\n",               // something else after it
      first + "3,3.1\n",                    //
      first + "continued from 0\n",         //
      first + "continued from\n3 3\n",      //
      first + "9999999999999999999 3.1\n",  // beyond any count
  };
  for (const std::string& text : damaged) {
    EXPECT_EQ(ReadRecordText(text), std::nullopt) << text;
  }
  std::string too_long = first;
  for (int pairs = 1; pairs <= 30'000; ++pairs) too_long += std::to_string(pairs) + " 3\n";
  EXPECT_EQ(ReadRecordText(too_long), std::nullopt) << "far more points than a record keeps";
}

// What is saved ends at the tally saved: later points are left out, and a
// tally without an estimate leaves none.
TEST(RecordText, IsSavedUpToTheTally) {
  ConvergenceRecord record({{10, 3.0}, {20, 3.2}, {30, 3.1}}, 10);
  EXPECT_EQ(RecordUpTo(record, 25, 3.15), (SavedRecord{{{10, 3.0}, {20, 3.2}, {25, 3.15}}, 10}));
  EXPECT_EQ(RecordUpTo(record, 30, 3.12), (SavedRecord{{{10, 3.0}, {20, 3.2}, {30, 3.12}}, 10}));
  EXPECT_EQ(RecordUpTo(record, 8, 0.0), (SavedRecord{{}, 10}));
}

// The tally alone decides: a saved record goes on only where it ends at the
// loaded tally; otherwise the chart begins at the tally and says so.
TEST(CarriedRecord, GoesOnOnlyFromARecordThatEndsAtTheTally) {
  const SavedRecord saved{{{1, 2.449}, {100, 3.2}, {800, 3.1304951684997055}}, 0};
  const Points at_tally = {{800, 3.1304951684997055}};
  const struct {
    const char* name;
    std::optional<SavedRecord> saved;
    TrialTally tally;
    Points points;
    std::int64_t continuedFrom;
  } cases[] = {
      {"SavedWithTheTally", saved, {800, 2, 3.13049516849971}, saved.points, 0},
      {"CarriedBefore",
       SavedRecord{{{40, 3.0}, {800, 3.13}}, 40},
       {800, 2, 3.13},
       {{40, 3.0}, {800, 3.13}},
       40},
      {"NoRecord", std::nullopt, {800, 2, 3.1304951684997055}, at_tally, 800},
      {"TallySavedLater", saved, {804, 2, 3.13}, {{804, 3.13}}, 804},
      {"AnotherEstimate", saved, {800, 2, 3.2}, {{800, 3.2}}, 800},
      {"AnEmptyRecord", SavedRecord{}, {800, 2, 3.1304951684997055}, at_tally, 800},
      {"TallyWithoutAnEstimate", saved, {800, 800, 0.0}, {}, 800},
      {"ANewTally", saved, {0, 0, 0.0}, {}, 0},
  };
  for (const auto& c : cases) {
    const ConvergenceRecord record = CarriedRecord(c.saved, c.tally.Total, c.tally.Estimate);
    EXPECT_EQ(record.Points(), c.points) << c.name;
    EXPECT_EQ(record.ContinuedFrom(), c.continuedFrom) << c.name;
  }
}

}  // namespace
}  // namespace orvanel
