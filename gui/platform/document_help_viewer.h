#pragma once

#include <QPointer>

#include "platform_services.h"

class QMainWindow;
class QTextBrowser;

namespace orvanel {

// The help document is compiled into the program, so it cannot go missing. It
// opens in a window of its own beside the main window, at its start.
class DocumentHelpViewer final : public HelpViewer {
 public:
  void ShowContents(QWidget* parent) override;

 private:
  QPointer<QMainWindow> window_;
  QPointer<QTextBrowser> browser_;
};

}  // namespace orvanel
