#pragma once

#include <QApplication>

#include "ways_out.h"

namespace orvanel {

// The program's application object: every way out that does not come through
// the window's own close (a signal, the session manager's Die, any quit) is a
// quit, and reaches WaysOut here, as one on which nobody may be present.
class Application final : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  // The owner of the ways out, for the main window.
  [[nodiscard]] WaysOut& Ways() { return waysOut_; }

  // Runs the event loop with `window` shown until a way out ends it; the exit
  // status: 0 when the last save of the tally held.
  [[nodiscard]] int Run(Main& window);

 protected:
  bool event(QEvent* event) override;

 private:
  WaysOut waysOut_;
};

}  // namespace orvanel
