#pragma once

#include <QString>

#include "platform_services.h"

namespace orvanel {

// The common dialog of the main window: the Open dialog that chooses a pair file
// and the call of the help viewer. Its file name lasts across showings: each
// showing offers it as the initial name, a confirmed choice replaces it, and a
// cancel leaves it as it was.
class SelFile {
 public:
  SelFile(OpenDialog& open_dialog, HelpViewer& help_viewer)
      : openDialog_(open_dialog), helpViewer_(help_viewer) {}

  QString FileName;
  QString HelpFile;
  int HelpCommand = 0;

  // Shows the Open dialog; true when the user confirmed a file.
  bool ShowOpen(QWidget* parent);
  // Hands HelpFile and HelpCommand to the help viewer.
  void ShowHelp(QWidget* parent) { helpViewer_.ShowHelp(parent, HelpFile, HelpCommand); }

 private:
  OpenDialog& openDialog_;
  HelpViewer& helpViewer_;
};

}  // namespace orvanel
