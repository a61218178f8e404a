#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace orvanel {

// What the command line asks of a program that is to end at once: the status
// and the texts for standard output and standard error.
struct CommandLineAnswer {
  int status = 0;
  QString out;
  QString err;
};

// The answer to `arguments` (the program's name first): to --help and
// --version, or a refusal of anything else but the toolkit's own options
// (-session from the session manager among them, -platform, -style …). None
// where the window is to start.
[[nodiscard]] std::optional<CommandLineAnswer> AnswerCommandLine(const QStringList& arguments);

}  // namespace orvanel
