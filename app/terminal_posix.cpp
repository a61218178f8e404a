#include "terminal.h"

namespace orvanel {

void WriteToTerminal(std::FILE* stream, const QString& text) {
  (void)std::fputs(text.toLocal8Bit().constData(), stream);
  (void)std::fflush(stream);
}

}  // namespace orvanel
