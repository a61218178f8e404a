#include "base/windows_api.h"
#include "workspace_color.h"

namespace orvanel {

QColor ApplicationWorkspaceColor() {
  const COLORREF color = ::GetSysColor(COLOR_APPWORKSPACE);
  return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

}  // namespace orvanel
