#include "terminal.h"

namespace orvanel {

void WriteToTerminal(std::FILE* stream, std::string_view text) {
  (void)std::fwrite(text.data(), 1, text.size(), stream);
  (void)std::fflush(stream);
}

}  // namespace orvanel
