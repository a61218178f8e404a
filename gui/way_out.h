#pragma once

namespace orvanel {

class Main;

// The ways out of the program have one owner, the application's (app/ways_out.h).
// The main window tells it that it is there, and asks it whenever it is to close:
// by its close button, by Exit, or by a close another program sends.
class WayOut {
 public:
  virtual ~WayOut() = default;
  // The window now exists; called once, by its constructor.
  virtual void Opened(Main& window) = 0;
  // The window is to close. True when it may.
  [[nodiscard]] virtual bool WindowClosing() = 0;
};

}  // namespace orvanel
