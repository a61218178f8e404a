#include "close_on_escape.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace orvanel {
namespace {

// Sees the key presses that reach the window itself or come up to it from the
// widget that has the focus.
class EscapeCloses final : public QObject {
 public:
  explicit EscapeCloses(QWidget& window) : QObject(&window), window_(window) {}

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) return false;
    window_.close();
    return true;
  }

 private:
  QWidget& window_;
};

}  // namespace

void CloseOnEscape(QWidget& window) {
  window.installEventFilter(new EscapeCloses(window));
}

}  // namespace orvanel
