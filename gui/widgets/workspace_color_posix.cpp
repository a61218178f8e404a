#include <QMdiArea>

#include "workspace_color.h"

namespace orvanel {

// No such system colour here: the toolkit's background of a multiple-document
// area stands for it.
QColor ApplicationWorkspaceColor() {
  return QMdiArea().background().color();
}

}  // namespace orvanel
