#pragma once

// The estimator: everything the experiment does, without any toolkit.
//
//   Estimator      owns the tally, the source flags, the generator and the open pair
//                  file; its handlers are called by the window (or by a test).
//   TrialTally     the counts and the estimate (trial_tally.h).
//   HasCommonFactor, DrawRandomPair, PairFile   the pieces one trial is made of.
//   FrontEnd       the window as the estimator sees it: captions, check marks,
//                  progress, running state and the file chooser.
//
// A tick (Timer1_Timer) runs up to four trials. Each takes a pair from the random
// generator or, while AnalyzingFile, from the pair file; counts it; and when Total
// differs from Hits recomputes the estimate and asks the FrontEnd to redraw (and,
// in file mode, to move the progress bar). Errors are thrown, never caught here:
// whatever a handler did before the failing step stands.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "front_end.h"
#include "pair_file.h"
#include "random_pairs.h"
#include "trial_tally.h"

namespace orvanel {

class Estimator {
 public:
  static constexpr std::int32_t kTrialsPerTick = 4;

  Estimator(FrontEnd& front_end, RandomGenerator& generator);

  [[nodiscard]] TrialTally& Tally() { return tally_; }
  [[nodiscard]] const TrialTally& Tally() const { return tally_; }
  [[nodiscard]] bool AnalyzingFile() const { return analyzingFile_; }
  [[nodiscard]] std::int32_t BatchStep() const { return batchStep_; }

  // The first steps of loading: the generator is seeded once per run, and the
  // program starts with random pairs.
  void SeedGenerator() { generator_.SeedFromClock(); }
  void StartWithRandomPairs() { analyzingFile_ = false; }

  // The status lines for the tally as it is now.
  [[nodiscard]] StatusTexts Texts(std::string_view decimal_separator) const {
    return MakeStatusTexts(tally_, decimal_separator);
  }

  // One tick: up to four trials.
  void Timer1_Timer();

  // Reset: zeroes the tally and redraws. Nothing else changes.
  void ClearCommand_Click();

  // Chooses a pair file and switches the source to it, zeroing the tally. A
  // cancel, or a file that cannot be opened, changes nothing.
  void AnalyzeFile_Click();

  // "Ask Virtual People" ends a file analysis in progress; the tally, the bar and
  // the running state stay as they are. With random pairs it does nothing.
  void VirtualPeopleMenu_Click();

 private:
  // The file step of a trial: the next pair, or nothing when the file has ended,
  // in which case the end-of-file finish has already run.
  std::optional<Pair> ReadFilePair();
  void FinishFile();
  void UpdateProgress();

  FrontEnd& frontEnd_;
  RandomGenerator& generator_;
  TrialTally tally_;
  bool analyzingFile_ = false;
  std::int32_t batchStep_ = 0;
  std::unique_ptr<PairFile> pairFile_;
};

}  // namespace orvanel
