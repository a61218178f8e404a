#include "sel_file.h"

namespace orvanel {

bool SelFile::ShowOpen(QWidget* parent) {
  const auto chosen = openDialog_.Open(parent, FileName);
  if (!chosen || chosen->isEmpty()) return false;
  FileName = *chosen;
  return true;
}

}  // namespace orvanel
