#include "estimator.h"

#include <string>
#include <utility>

#include "base/text.h"

namespace orvanel {

std::unique_ptr<PairFile> OpenPairFile(const std::string& utf8_name) {
  return std::make_unique<PairFile>(utf8_name);
}

Estimator::Estimator(FrontEnd& front_end, RandomGenerator& generator, PairFileOpener open_pair_file)
    : frontEnd_(front_end), generator_(generator), openPairFile_(std::move(open_pair_file)) {}

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

void Estimator::Reset() {
  tally_ = TrialTally{};
  ShowTally();
}

void Estimator::AnalyzeFile() {
  const auto choice = frontEnd_.ChoosePairFile();
  if (!choice || choice->empty()) return;
  // The new file is opened before anything changes, so a file that cannot be
  // opened leaves the marks, the tally and any analysis in progress as they were.
  auto opened = openPairFile_(*choice);
  frontEnd_.SetAnalyzeFileChecked(true);
  frontEnd_.SetVirtualPeopleChecked(false);
  pairFile_ = std::move(opened);  // closes a file analysed until now
  pairTaken_ = false;
  tally_ = TrialTally{};  // not redrawn: the lines show the old tally until the next estimate
  analyzingFile_ = true;
  frontEnd_.SetProgressFrameEnabled(true);
  frontEnd_.SetProgressFrameFileName(std::string(Trimmed(*choice)));
  if (!frontEnd_.TrialsRunning()) frontEnd_.ToggleRunning();
}

void Estimator::UseRandomPairs() {
  if (!analyzingFile_) return;
  frontEnd_.SetVirtualPeopleChecked(true);
  analyzingFile_ = false;
  frontEnd_.SetAnalyzeFileChecked(false);
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
  const std::int64_t length = pairFile_->Length();
  pairFile_.reset();
  if (!pairTaken_) frontEnd_.FileHeldNoPair(length);
}

void Estimator::ShowTally() {
  frontEnd_.UpdateCaptions(MakeStatusFigures(tally_));
}

void Estimator::UpdateProgress() {
  frontEnd_.SetProgressValue(
      ProgressPercent(pairFile_->Position(), pairFile_->Length(), kProgressMaximum));
}

}  // namespace orvanel
