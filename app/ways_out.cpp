#include "ways_out.h"

namespace orvanel {

void WaysOut::LeaveUnattended() {
  if (left_ || !window_) return;
  attendance_ = Attendance::kNobodyWatching;
  window_->close();
}

bool WaysOut::SaveForSessionEnd() {
  return !window_ || window_->SaveForSessionEnd();
}

bool WaysOut::WindowClosing() {
  if (left_) return true;
  // A close that comes first is a person's: the close button, Exit, or a close
  // another program sends while the person is at the window.
  left_ = window_->Form_Unload(attendance_.value_or(Attendance::kPersonPresent));
  if (!left_) attendance_.reset();  // the person chose to stay
  return left_;
}

}  // namespace orvanel
