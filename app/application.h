#pragma once

#include <QApplication>
#include <QPointer>

namespace orvanel {

class Main;

// The program's application object. A way out that does not come through the
// window's own close (a signal, the session manager's Die, any quit) is a
// quit: the main window leaves as on a way on which nobody may be present, and
// the event loops end. A library that ends the process itself (the display's
// connection broke) has the tally saved first.
class Application final : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  // Runs the event loop with `window` shown until a way out ends it. The exit
  // status: 0 when the last save of the tally held, 1 when it did not.
  [[nodiscard]] int Run(Main& window);

 protected:
  bool event(QEvent* event) override;

 private:
  QPointer<Main> window_;
};

}  // namespace orvanel
