#include "app_icon.h"

#include <QString>

namespace orvanel {

QIcon OrvanelIcon() {
  QIcon icon;
  for (const int size : {16, 20, 24, 32, 40, 48, 64, 128, 256}) {
    icon.addFile(QString(":/orvanel/icons/orvanel-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace orvanel
