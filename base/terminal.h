#pragma once

#include <cstdio>
#include <string_view>

namespace orvanel {

// Writes the UTF-8 `text` to `stream` (stdout or stderr) so that it reads
// right where it lands: a terminal shows it in full whatever its code page, a
// file or a pipe gets UTF-8. A program started from a terminal answers there
// even where the system gave it no stream (a windowed program on Windows).
void WriteToTerminal(std::FILE* stream, std::string_view text);

}  // namespace orvanel
