#pragma once

#include <QPointer>

#include <optional>

#include "gui/main_window.h"
#include "gui/reporter.h"
#include "gui/way_out.h"

namespace orvanel {

// The one owner of the ways out of the program. The close button, Exit and a
// close another program sends reach it through the window's close; a signal,
// the session manager's Die and the application's quit through the
// application (application.h), as LeaveUnattended. The first of them decides
// whether a person may be there to answer a message, and the window is
// unloaded once, which saves the tally once.
class WaysOut final : public WayOut {
 public:
  using Attendance = Reporter::Attendance;

  // A way out on which nobody may be present: closes the window without
  // asking anybody. Nothing once the window has gone.
  void LeaveUnattended();

  // The desktop session may end, or may still be cancelled: the tally is saved
  // as it is, and nothing ends. True when the save held.
  [[nodiscard]] bool SaveForSessionEnd();

  // WayOut
  void Opened(Main& window) override { window_ = &window; }
  [[nodiscard]] bool WindowClosing() override;

 private:
  QPointer<Main> window_;
  std::optional<Attendance> attendance_;  // decided by the first way out taken
  bool left_ = false;
};

}  // namespace orvanel
