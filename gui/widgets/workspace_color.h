#pragma once

#include <QColor>

namespace orvanel {

// The platform's application-workspace colour: COLOR_APPWORKSPACE on Windows,
// elsewhere the colour Qt paints behind an empty MDI workspace.
[[nodiscard]] QColor ApplicationWorkspaceColor();

}  // namespace orvanel
