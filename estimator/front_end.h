#pragma once

#include <optional>
#include <string>

namespace orvanel {

// What the estimator asks of the window. The main window implements it once;
// tests implement it with a recording fake.
class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // Redraws the three status lines from the tally as it is now.
  virtual void UpdateCaptions() = 0;

  virtual void SetProgressValue(int value) = 0;
  [[nodiscard]] virtual int ProgressMaximum() const = 0;

  // Check marks of "&Analyze File" and "Ask &Virtual People".
  virtual void SetAnalyzeFileChecked(bool checked) = 0;
  virtual void SetVirtualPeopleChecked(bool checked) = 0;

  virtual void SetProgressFrameEnabled(bool enabled) = 0;
  virtual void SetProgressFrameCaption(const std::string& caption) = 0;

  [[nodiscard]] virtual bool TrialsRunning() const = 0;
  // The Start/Stop command: stops trials that run, starts trials that don't.
  virtual void ToggleRunning() = 0;

  // Shows the Open dialog. The full path (UTF-8) of a confirmed file, or nothing
  // when the user cancels.
  [[nodiscard]] virtual std::optional<std::string> ChoosePairFile() = 0;
};

}  // namespace orvanel
