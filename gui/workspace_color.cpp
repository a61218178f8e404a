#include "workspace_color.h"

#include <QMdiArea>

#ifdef _WIN32
#include <windows.h>
#endif

namespace orvanel {

QColor ApplicationWorkspaceColor() {
#ifdef _WIN32
  const COLORREF color = GetSysColor(COLOR_APPWORKSPACE);
  return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
#else
  return QMdiArea().background().color();
#endif
}

}  // namespace orvanel
