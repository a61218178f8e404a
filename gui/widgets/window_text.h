#pragma once

#include <QCoreApplication>

namespace orvanel {

// Translates the main window's sentences that are put together outside its
// class (the status lines, the messages), in the window's own context.
class WindowText {
  Q_DECLARE_TR_FUNCTIONS(orvanel::Main)
};

}  // namespace orvanel
