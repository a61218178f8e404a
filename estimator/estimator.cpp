#include "estimator.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "base/text.h"
#include "base/worker_pool.h"
#include "common_factor.h"
#include "errors.h"
#include "pair_file.h"
#include "random_pairs.h"

namespace orvanel {

Estimator::Estimator(FrontEnd& front_end, RandomGenerator& generator, PairFileOpener open_pair_file)
    : frontEnd_(front_end),
      generator_(generator),
      openPairFile_(
          open_pair_file
              ? std::move(open_pair_file)
              : [](const std::string& utf8_name) { return std::make_unique<PairFile>(utf8_name); }),
      helpers_(WorkerPool::HelpersForThisMachine()) {}

Estimator::~Estimator() = default;

void Estimator::BeginRun() {
  inRun_ = true;
  if (analyzingFile_) pairFile_->LookAgain();
}

void Estimator::Tick() {
  batchStep_ = 1;
  if (analyzingFile_ && !inRun_) pairFile_->LookAgain();
  while (batchStep_ <= kTrialsPerTick) {
    Pair pair;
    if (analyzingFile_) {
      const FilePair read = ReadMappedPair(*pairFile_);
      if (read.outcome == PairFile::Outcome::kNotArrived) return;
      if (read.outcome == PairFile::Outcome::kEnd) {
        FinishFile();
        return;
      }
      pair = read.pair;
      pairTaken_ = true;
    } else {
      pair = DrawRandomPair(generator_);
    }
    RecordTrial(tally_, pair.first, pair.second);
    if (tally_.Total != tally_.Hits) {
      RecomputeEstimate(tally_);
      ShowTally();
      if (analyzingFile_) UpdateProgress();
    }
    ++batchStep_;
  }
}

namespace {

// The hits among `trials` random trials whose draws begin at `position`.
std::int64_t HitsOfTrials(const DrawStream::Key& key, std::uint64_t position, std::int64_t trials) {
  DrawStream draws(key, position);
  std::int64_t hits = 0;
  for (std::int64_t trial = 0; trial < trials; ++trial) {
    const float r1 = draws.Next();
    const Pair pair = PairFromDraws(r1, draws.Next());
    hits += HasCommonFactor(pair.first, pair.second) ? 1 : 0;
  }
  return hits;
}

}  // namespace

std::int64_t Estimator::RunTicksAtOnce(std::int64_t ticks) {
  NumberedDraws* const draws = generator_.ByNumber();
  if (analyzingFile_ || draws == nullptr || ticks <= 0) return 0;
  if (tally_.Hits < 0 || tally_.Hits > tally_.Total) return 0;  // errors would fall mid-tick
  if (tally_.Total < kOneAtATimeUpTo) return 0;
  ticks =
      std::min(ticks, std::max<std::int64_t>(1, tally_.Total / (kLargestShare * kTrialsPerTick)));
  // Every random tick counts four trials: the ticks whose every trial stays
  // below the limit are known before any runs.
  const std::int64_t room =
      (std::int64_t{std::numeric_limits<std::int32_t>::max()} - tally_.Total) / kTrialsPerTick;
  ticks = std::min(ticks, room);
  if (ticks <= 0) return 0;

  if (!workers_) workers_ = std::make_unique<WorkerPool>(helpers_);
  const std::size_t parts = workers_->Count();
  std::vector<std::int64_t> hits(parts, 0);
  const DrawStream::Key key = draws->RunKey();
  const std::uint64_t start = draws->Position();
  constexpr std::uint64_t kDrawsPerTick = 2 * kTrialsPerTick;
  try {
    workers_->Run(parts, [&](std::size_t part) {
      const std::int64_t from =
          ticks * static_cast<std::int64_t>(part) / static_cast<std::int64_t>(parts);
      const std::int64_t to =
          ticks * static_cast<std::int64_t>(part + 1) / static_cast<std::int64_t>(parts);
      hits[part] = HitsOfTrials(key, start + static_cast<std::uint64_t>(from) * kDrawsPerTick,
                                (to - from) * kTrialsPerTick);
    });
  } catch (const ArithmeticError&) {
    // Nothing of these ticks is counted: run one at a time, they meet the
    // error at its very trial, with the trials before it counted.
    return 0;
  }
  std::int64_t found = 0;
  for (const std::int64_t part_hits : hits) found += part_hits;

  // What the last of these ticks leaves, one trial after another: once Total
  // differs from Hits it always will, and the last trial redraws from the tally
  // it leaves.
  tally_.Total += static_cast<std::int32_t>(ticks * kTrialsPerTick);
  tally_.Hits += static_cast<std::int32_t>(found);
  draws->Skip(static_cast<std::uint64_t>(ticks) * kDrawsPerTick);
  batchStep_ = kTrialsPerTick + 1;
  if (tally_.Total != tally_.Hits) {
    RecomputeEstimate(tally_);
    ShowTally();
  }
  return ticks;
}

void Estimator::UseWorkers(unsigned threads) {
  helpers_ = threads > 1 ? threads - 1 : 0;
  workers_.reset();
}

void Estimator::Reset() {
  tally_ = TrialTally{};
  ShowTally();
}

void Estimator::AnalyzeFile() {
  const auto choice = frontEnd_.ChoosePairFile();
  if (!choice || choice->empty()) return;
  // Nothing changes until the new file has opened, so a file that cannot be
  // opened leaves the marks, the tally and any analysis in progress as they were.
  opening_ = openPairFile_(*choice);
  openingName_ = *choice;
  frontEnd_.OpeningPairFile(true);
}

void Estimator::LookAtOpening() {
  if (!opening_) return;
  bool opened = false;
  try {
    opened = opening_->Opened();
  } catch (...) {
    opening_.reset();
    frontEnd_.OpeningPairFile(false);
    throw;
  }
  if (!opened) return;
  frontEnd_.OpeningPairFile(false);
  frontEnd_.SetAnalyzeFileChecked(true);
  frontEnd_.SetVirtualPeopleChecked(false);
  pairFile_ = std::move(opening_);  // closes a file analysed until now
  pairTaken_ = false;
  tally_ = TrialTally{};  // not redrawn: the lines show the old tally until the next estimate
  analyzingFile_ = true;
  frontEnd_.SetProgressFrameEnabled(true);
  frontEnd_.SetProgressFrameFileName(std::string(Trimmed(openingName_)));
  if (!frontEnd_.TrialsRunning()) frontEnd_.ToggleRunning();
}

void Estimator::UseRandomPairs() {
  if (opening_) {
    opening_.reset();
    frontEnd_.OpeningPairFile(false);
  }
  if (!analyzingFile_) return;
  frontEnd_.SetVirtualPeopleChecked(true);
  analyzingFile_ = false;
  frontEnd_.SetAnalyzeFileChecked(false);
  // The analysis is over, not paused: the frame looks as at the file's end.
  frontEnd_.SetProgressValue(kProgressMaximum);
  frontEnd_.SetProgressFrameEnabled(false);
  pairFile_.reset();
}

void Estimator::FinishFile() {
  frontEnd_.ToggleRunning();
  frontEnd_.SetVirtualPeopleChecked(true);
  analyzingFile_ = false;
  frontEnd_.SetAnalyzeFileChecked(false);
  if (tally_.Total != tally_.Hits) RecomputeEstimate(tally_);
  ShowTally();
  frontEnd_.SetProgressValue(kProgressMaximum);
  frontEnd_.SetProgressFrameEnabled(false);  // the caption keeps the file's name
  const std::int64_t held = pairFile_->HeldAtEnd();
  pairFile_.reset();
  if (!pairTaken_) frontEnd_.FileHeldNoPair(held);
}

void Estimator::ShowTally() {
  frontEnd_.UpdateCaptions(MakeStatusFigures(tally_));
}

void Estimator::UpdateProgress() {
  const auto percent =
      ProgressPercent(pairFile_->Position(), pairFile_->Length(), kProgressMaximum);
  if (percent) {
    frontEnd_.SetProgressValue(*percent);
  } else {
    frontEnd_.SetProgressUnknown();
  }
}

}  // namespace orvanel
