#pragma once

#include <QString>

#include "gui/platform/platform_services.h"

namespace orvanel {

// The main window's Open dialog, which remembers its file name across showings:
// each showing offers it as the initial name, a confirmed choice replaces it,
// and a cancel leaves it as it was.
class SelFile {
 public:
  explicit SelFile(OpenDialog& open_dialog) : openDialog_(open_dialog) {}

  QString FileName;

  // Shows the Open dialog; true when the user confirmed a file.
  bool ShowOpen(QWidget* parent);

 private:
  OpenDialog& openDialog_;
};

}  // namespace orvanel
