#include "app_icon.h"

#include <QDir>

namespace orvanel {

// Every size the build drew from the SVG; each file is read when first asked.
QIcon OrvanelIcon() {
  const QDir icons(":/orvanel/icons");
  QIcon icon;
  for (const QString& name : icons.entryList(QDir::Files)) icon.addFile(icons.filePath(name));
  return icon;
}

}  // namespace orvanel
