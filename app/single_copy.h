#pragma once

#include <memory>

class QWidget;

namespace orvanel {

// One copy of Orvanel per user at a time. Two copies side by side would each
// save their own tally as they end, and the last to end would erase the
// other's trials without a word.
//
// The first copy claims the place (Linux and other Unix systems: a lock and a
// local socket in the user's runtime folder, $XDG_RUNTIME_DIR, else one of
// the user's own in the temporary folder; Windows: the named mark
// "Orvanel.Running", which the installer also asks for, and the window by its
// title). A later copy asks the first to bring its window to the front, and
// ends without touching the tally. Where the place cannot be had at all, every
// copy runs, as before.
class SingleCopy {
 public:
  enum class Claim {
    kFirst,               // this copy runs
    kBroughtForward,      // another copy runs; its window was brought forward
    kOtherDoesNotAnswer,  // another copy runs, and did not answer within a second
  };

  SingleCopy();
  ~SingleCopy();
  SingleCopy(const SingleCopy&) = delete;
  SingleCopy& operator=(const SingleCopy&) = delete;

  // Whether this copy runs; asked once, before the tally is read.
  [[nodiscard]] Claim Outcome() const { return claim_; }

  // The first copy: from now on a later copy's request brings `window` to the
  // front; the window's thread is never held up by one.
  void BringForwardOnRequest(QWidget& window);

 private:
  struct Place;
  std::unique_ptr<Place> place_;
  Claim claim_ = Claim::kFirst;
};

}  // namespace orvanel
