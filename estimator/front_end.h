#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "trial_tally.h"

namespace orvanel {

// What the estimator asks of the window, with what to show passed along: the
// window draws, it never calls back. The main window implements it once; tests
// implement it with a recording fake.
class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // The three status lines are to show these figures.
  virtual void UpdateCaptions(const StatusFigures& figures) = 0;

  // The progress bar's value, from 0 to kProgressMaximum.
  virtual void SetProgressValue(int value) = 0;
  // The progress bar is to show that the file is being read, without a value:
  // its size says nothing of how far the reading has come.
  virtual void SetProgressUnknown() = 0;

  // Check marks of "&Analyze File" and "Ask &Virtual People".
  virtual void SetAnalyzeFileChecked(bool checked) = 0;
  virtual void SetVirtualPeopleChecked(bool checked) = 0;

  virtual void SetProgressFrameEnabled(bool enabled) = 0;
  // The progress frame's caption is to say that this file (UTF-8, without
  // leading and trailing blanks) is being loaded.
  virtual void SetProgressFrameFileName(const std::string& file_name) = 0;

  [[nodiscard]] virtual bool TrialsRunning() const = 0;
  // The Start/Stop command: stops trials that run, starts trials that don't.
  virtual void ToggleRunning() = 0;

  // Shows the Open dialog. The full path (UTF-8) of a confirmed file, or nothing
  // when the user cancels.
  [[nodiscard]] virtual std::optional<std::string> ChoosePairFile() = 0;
  // A chosen file is being opened (or no longer is): the window shows it, stays
  // answerable, and asks the estimator to look at the open now and then
  // (Estimator::LookAtOpening).
  virtual void OpeningPairFile(bool opening) = 0;

  // The pair file just ended without a single whole pair: it is `bytes` long,
  // less than a pair's 8. Told after the end of the file has run its course.
  virtual void FileHeldNoPair(std::int64_t bytes) = 0;
};

// The progress bar runs from 0 to this.
inline constexpr int kProgressMaximum = 100;

}  // namespace orvanel
