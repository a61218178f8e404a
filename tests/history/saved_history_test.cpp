#include "history/saved_history.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "support/fakes.h"
#include "support/recording_store.h"

namespace orvanel {
namespace {

using testing::RecordingStore;

TEST(LoadHistory, FirstRunStartsFromZero) {
  RecordingStore store;
  const LoadedHistory loaded = LoadHistory(store);
  EXPECT_EQ(loaded.tally, TrialTally{});
  EXPECT_FALSE(loaded.StartedFromZero());
  EXPECT_EQ(store.log, (std::vector<std::string>{"read Orvanel/History/Estimate default 0",
                                                 "read Orvanel/History/Total default 0",
                                                 "read Orvanel/History/Hits default 0"}));
}

TEST(LoadHistory, TakesStoredTextsAsTheyStand) {
  RecordingStore store;
  store.values = {{"Estimate", " 2.44948974278318"}, {"Total", " 12345"}, {"Hits", "2.5"}};
  const LoadedHistory loaded = LoadHistory(store);
  EXPECT_EQ(loaded.tally.Estimate, 2.44948974278318);
  EXPECT_EQ(loaded.tally.Total, 12345);
  EXPECT_EQ(loaded.tally.Hits, 2);
  EXPECT_FALSE(loaded.StartedFromZero());
  EXPECT_EQ(loaded.unusableEstimate, std::nullopt);
}

TEST(LoadHistory, KeepsValuesOutsideTheInvariantForTheEstimateToReport) {
  RecordingStore store;
  store.values = {{"Total", "5"}, {"Hits", "9"}};
  const LoadedHistory loaded = LoadHistory(store);
  EXPECT_EQ(loaded.tally.Total, 5);
  EXPECT_EQ(loaded.tally.Hits, 9);
  EXPECT_FALSE(loaded.StartedFromZero());
}

// A tally that is only partly usable would fail at its first estimate, so an
// unusable count or a damaged store starts all three values from zero.
struct UnusableCase {
  const char* name;
  std::map<std::string, std::string> values;
  bool damaged;
  std::optional<UnusableValue> count;
  std::optional<UnusableValue> estimate;
  bool fromZero;
};

std::ostream& operator<<(std::ostream& out, const UnusableCase& c) {
  return out << c.name;
}

class UnusableHistory : public ::testing::TestWithParam<UnusableCase> {};

TEST_P(UnusableHistory, StartsFromZeroOnlyForAnUnusableCountOrADamagedStore) {
  const UnusableCase& c = GetParam();
  RecordingStore store;
  store.values = c.values;
  if (c.damaged) store.condition.state = StoreCondition::State::kDamaged;
  const LoadedHistory loaded = LoadHistory(store);
  EXPECT_EQ(loaded.store, store.condition);
  EXPECT_EQ(loaded.unusableCount, c.count);
  EXPECT_EQ(loaded.unusableEstimate, c.estimate);
  EXPECT_EQ(loaded.StartedFromZero(), c.fromZero);
  if (c.fromZero) {
    EXPECT_EQ(loaded.tally, TrialTally{});
  } else {
    EXPECT_EQ(loaded.tally, (TrialTally{100, 5, 0.0})) << "only the estimate starts at 0";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, UnusableHistory,
    ::testing::Values(UnusableCase{"TotalBeyond32Bits",
                                   {{"Estimate", "3.1"}, {"Total", "99999999999"}, {"Hits", "5"}},
                                   false,
                                   UnusableValue{"Total", "99999999999", std::nullopt},
                                   std::nullopt,
                                   true},
                      UnusableCase{"HitsBeyond32Bits",
                                   {{"Estimate", "3.1"}, {"Total", "100"}, {"Hits", "-1e10"}},
                                   false,
                                   UnusableValue{"Hits", "-1e10", std::nullopt},
                                   std::nullopt,
                                   true},
                      UnusableCase{"CountBeyondADouble",
                                   {{"Estimate", "3.1"}, {"Total", "1e999"}, {"Hits", "5"}},
                                   false,
                                   UnusableValue{"Total", "1e999", std::nullopt},
                                   std::nullopt,
                                   true},
                      UnusableCase{"EstimateAloneBeyondADouble",
                                   {{"Estimate", "1e999"}, {"Total", "100"}, {"Hits", "5"}},
                                   false,
                                   std::nullopt,
                                   UnusableValue{"Estimate", "1e999", std::nullopt},
                                   false},
                      UnusableCase{"DamagedStoreWithReadableValues",
                                   {{"Estimate", "3.1"}, {"Total", "100"}, {"Hits", "5"}},
                                   true,
                                   std::nullopt,
                                   std::nullopt,
                                   true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveHistory, WritesEstimateTotalAndHitsInOrderThenCommits) {
  RecordingStore store;
  SaveHistory(store, TrialTally{1000, 392, 2.449489742783178});
  EXPECT_EQ(store.log,
            (std::vector<std::string>{"write Orvanel/History/Estimate = 2.44948974278318",
                                      "write Orvanel/History/Total = 1000",
                                      "write Orvanel/History/Hits = 392", "commit"}));
}

TEST(SaveHistory, AfterResetWritesZeroThreeTimes) {
  testing::EstimatorRig rig;
  rig.estimator.Restore(TrialTally{50, 20, 3.2});
  rig.estimator.Reset();
  RecordingStore store;
  SaveHistory(store, rig.estimator.Tally());
  EXPECT_EQ(store.values, (std::map<std::string, std::string>{
                              {"Estimate", " 0"}, {"Total", " 0"}, {"Hits", " 0"}}));
}

TEST(SaveHistory, ARefusedCommitReachesTheCaller) {
  RecordingStore store;
  store.refuse = true;
  EXPECT_THROW(SaveHistory(store, TrialTally{}), HistoryError);
}

}  // namespace
}  // namespace orvanel
