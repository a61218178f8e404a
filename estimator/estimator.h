#pragma once

// The estimator: everything the experiment does, without any toolkit.
//
//   Estimator      owns the tally, the source of pairs and the open pair file;
//                  the window calls it from its handlers (tests call it directly).
//   TrialTally     the counts and the estimate (trial_tally.h).
//   HasCommonFactor, DrawRandomPair, PairFile   the pieces one trial is made of.
//   FrontEnd       the window as the estimator sees it: status lines, check
//                  marks, progress, running state and the file chooser.
//
// A tick runs up to four trials. Each takes a pair from the random generator or,
// while a file is analysed, from the pair file; counts it; and when Total differs
// from Hits recomputes the estimate and hands the FrontEnd the figures to show
// (and, in file mode, the progress value). What to show goes down to the
// FrontEnd; only the running state and the chosen file's name come back up.
// Errors are thrown, never caught here: whatever an operation did before the
// failing step stands.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "front_end.h"
#include "random_generator.h"
#include "trial_tally.h"

namespace orvanel {

class PairFile;
class WorkerPool;

// Opens the pair file the user chose; none: the real files, read with the
// patience the window needs. Tests open files that wait when told.
using PairFileOpener = std::function<std::unique_ptr<PairFile>(const std::string& utf8_name)>;

class Estimator {
 public:
  static constexpr std::int32_t kTrialsPerTick = 4;

  Estimator(FrontEnd& front_end, RandomGenerator& generator, PairFileOpener open_pair_file = {});
  ~Estimator();
  Estimator(const Estimator&) = delete;
  Estimator& operator=(const Estimator&) = delete;

  [[nodiscard]] const TrialTally& Tally() const { return tally_; }
  [[nodiscard]] bool AnalyzingFile() const { return analyzingFile_; }
  // The trial within the current tick: 1 to 4 while one runs, 5 after a full tick.
  [[nodiscard]] std::int32_t BatchStep() const { return batchStep_; }

  // Continues from a tally saved by an earlier run. Nothing is redrawn.
  void Restore(const TrialTally& tally) { tally_ = tally; }

  // One tick: up to four trials. With a pair file, the file as it stands now;
  // a tick whose next pair is still on its way from the file system ends early,
  // and the next one goes on from there.
  void Tick();

  // A run of ticks that follow one another at once (the due ticks of one
  // wake-up, a slice at full speed) takes the pair file as it stands when the
  // run begins: asking the file system costs more than a whole tick, and the
  // ticks of a run start within moments of each other.
  void BeginRun();
  void EndRun() { inRun_ = false; }

  // Runs up to `ticks` random ticks at once, split into contiguous ranges among
  // the workers (every core, by default), and leaves exactly what as many
  // Tick()s one after the other leave: the same Total, Hits and estimate, the
  // same figures handed to the FrontEnd, the generator at the same draw. Only
  // where that is known in advance: random pairs from a generator whose draws
  // go by number (random_generator.h), a tally within its invariant, and every trial short of the
  // count's limit (the ticks near it run one at a time, so that the limit is
  // met at the very trial). How many ticks ran: none where they cannot.
  //
  // The figures handed over still trace the estimate's course for the chart:
  // ticks run one at a time until the tally holds kOneAtATimeUpTo pairs, and
  // later at most a 1/kLargestShare of the tally at once.
  static constexpr std::int64_t kOneAtATimeUpTo = 1024;
  static constexpr std::int64_t kLargestShare = 1024;
  std::int64_t RunTicksAtOnce(std::int64_t ticks);
  // The threads RunTicksAtOnce works on, the caller's included (tests).
  void UseWorkers(unsigned threads);

  // Zeroes the tally and shows it. Nothing else changes.
  void Reset();

  // Asks for a pair file and begins to open it, never waiting for the file
  // system; the pairs are taken from it, with the tally zeroed, once it has
  // opened (LookAtOpening). A cancel changes nothing; so does a file that
  // cannot be opened, whose failure LookAtOpening throws. A file chosen while
  // another is being opened takes its place.
  void AnalyzeFile();
  // Whether a chosen file is still being opened.
  [[nodiscard]] bool OpeningFile() const { return opening_ != nullptr; }
  // Looks at the file being opened: once it is open, the analysis begins.
  // Throws FileOpenError (nothing else having changed) when it could not be
  // opened, or did not open within its patience.
  void LookAtOpening();

  // Ends a file analysis in progress, or drops a file being opened; the tally,
  // the bar and the running state stay as they are. With random pairs it does
  // nothing.
  void UseRandomPairs();

 private:
  void FinishFile();
  void ShowTally();
  void UpdateProgress();

  FrontEnd& frontEnd_;
  RandomGenerator& generator_;
  PairFileOpener openPairFile_;
  TrialTally tally_;
  bool analyzingFile_ = false;
  std::int32_t batchStep_ = 0;
  bool inRun_ = false;
  std::unique_ptr<PairFile> pairFile_;
  std::unique_ptr<PairFile> opening_;  // chosen, not open yet
  std::string openingName_;
  bool pairTaken_ = false;  // a whole pair of the pair file was read
  unsigned helpers_;
  std::unique_ptr<WorkerPool> workers_;  // made at the first ticks run at once
};

}  // namespace orvanel
