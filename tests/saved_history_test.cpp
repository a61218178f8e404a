#include "saved_history.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/fakes.h"
#include "support/recording_store.h"

namespace orvanel {
namespace {

using testing::RecordingStore;

TEST(LoadHistory, FirstRunStartsFromZeroWithoutRedrawing) {
  testing::EstimatorRig rig;
  rig.estimator.Tally() = TrialTally{5, 2, 1.0};
  RecordingStore store;
  std::ostringstream warnings;
  LoadHistory(store, rig.estimator, warnings);
  EXPECT_EQ(rig.estimator.Tally().Total, 0);
  EXPECT_EQ(rig.estimator.Tally().Hits, 0);
  EXPECT_EQ(rig.estimator.Tally().Estimate, 0.0);
  EXPECT_EQ(rig.generator.seeds, 1);
  EXPECT_FALSE(rig.estimator.AnalyzingFile());
  EXPECT_TRUE(rig.frontEnd.log.empty()) << "the status lines keep their first captions";
  EXPECT_EQ(store.log, (std::vector<std::string>{"read Orvanel/History/Estimate default 0",
                                                 "read Orvanel/History/Total default 0",
                                                 "read Orvanel/History/Hits default 0"}));
  EXPECT_EQ(warnings.str(), "");
}

TEST(LoadHistory, TakesStoredTextsAsTheyStand) {
  testing::EstimatorRig rig;
  RecordingStore store;
  store.values = {{"Estimate", " 2.44948974278318"}, {"Total", " 12345"}, {"Hits", "2.5"}};
  std::ostringstream warnings;
  LoadHistory(store, rig.estimator, warnings);
  EXPECT_EQ(rig.estimator.Tally().Estimate, 2.44948974278318);
  EXPECT_EQ(rig.estimator.Tally().Total, 12345);
  EXPECT_EQ(rig.estimator.Tally().Hits, 2);
  EXPECT_EQ(warnings.str(), "");
}

TEST(LoadHistory, KeepsValuesOutsideTheInvariantForTheEstimateToReport) {
  testing::EstimatorRig rig;
  RecordingStore store;
  store.values = {{"Total", "5"}, {"Hits", "9"}};
  std::ostringstream warnings;
  LoadHistory(store, rig.estimator, warnings);
  EXPECT_EQ(rig.estimator.Tally().Total, 5);
  EXPECT_EQ(rig.estimator.Tally().Hits, 9);
}

TEST(LoadHistory, ValuesThatCannotBeHeldStartAtZeroWithAWarning) {
  testing::EstimatorRig rig;
  RecordingStore store;
  store.values = {{"Estimate", "1e999"}, {"Total", "99999999999"}, {"Hits", "7"}};
  std::ostringstream warnings;
  LoadHistory(store, rig.estimator, warnings);
  EXPECT_EQ(rig.estimator.Tally().Estimate, 0.0);
  EXPECT_EQ(rig.estimator.Tally().Total, 0);
  EXPECT_EQ(rig.estimator.Tally().Hits, 7);
  EXPECT_EQ(warnings.str(),
            "Orvanel: the saved Estimate \"1e999\" cannot be used and starts again at 0 (saved in "
            "the test store).\n"
            "Orvanel: the saved Total \"99999999999\" cannot be used and starts again at 0 (saved "
            "in the test store).\n");
}

TEST(SaveHistory, WritesEstimateTotalAndHitsInOrderThenCommits) {
  RecordingStore store;
  SaveHistory(store, TrialTally{1000, 392, 2.449489742783178});
  EXPECT_EQ(store.log, (std::vector<std::string>{"write Orvanel/History/Estimate = 2.44948974278318",
                                                 "write Orvanel/History/Total = 1000",
                                                 "write Orvanel/History/Hits = 392", "commit"}));
}

TEST(SaveHistory, AfterResetWritesZeroThreeTimes) {
  testing::EstimatorRig rig;
  rig.estimator.Tally() = TrialTally{50, 20, 3.2};
  rig.estimator.ClearCommand_Click();
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
