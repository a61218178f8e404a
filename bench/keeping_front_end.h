#pragma once

#include <optional>
#include <string>

#include "estimator/front_end.h"

namespace orvanel::bench {

// A front end that only keeps what the estimator hands it, as the window does
// during a run of ticks (it draws afterwards), so that what is measured is the
// estimator alone.
class KeepingFrontEnd final : public FrontEnd {
 public:
  void UpdateCaptions(const StatusFigures& figures) override { kept = figures; }
  void SetProgressValue(int value) override { progress = value; }
  void SetProgressUnknown() override { progress = -1; }
  void SetAnalyzeFileChecked(bool) override {}
  void SetVirtualPeopleChecked(bool) override {}
  void SetProgressFrameEnabled(bool) override {}
  void SetProgressFrameFileName(const std::string&) override {}
  bool TrialsRunning() const override { return true; }
  void ToggleRunning() override {}
  std::optional<std::string> ChoosePairFile() override { return choice; }
  void OpeningPairFile(bool) override {}
  void FileHeldNoPair(std::int64_t) override {}

  StatusFigures kept;
  int progress = 0;
  std::optional<std::string> choice;
};

}  // namespace orvanel::bench
