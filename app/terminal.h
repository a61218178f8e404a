#pragma once

#include <QString>

#include <cstdio>

namespace orvanel {

// Writes `text` to `stream` (stdout or stderr) in the terminal's encoding. A
// program started from a terminal answers there even where the system gave it
// none (a windowed program on Windows).
void WriteToTerminal(std::FILE* stream, const QString& text);

}  // namespace orvanel
