#pragma once

#include <QDialog>

class QKeyEvent;

namespace orvanel {

// The About window: six labels, no buttons. It is created for each showing and
// closes only by its close command.
class AboutPlay final : public QDialog {
  Q_OBJECT

 public:
  explicit AboutPlay(QWidget* parent);

 protected:
  // Enter and Escape do nothing here.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace orvanel
