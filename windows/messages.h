#pragma once

#include <QString>

#include <exception>

#include "saved_history.h"

namespace orvanel {

// Every sentence the program says to its user about a problem has its words here.

// The sentence for an error that ended an operation.
[[nodiscard]] QString ErrorText(const std::exception& error);

// What could not be used of the saved tally kept at `location`; empty when
// everything could.
[[nodiscard]] QString LoadProblemText(const LoadedHistory& loaded, const QString& location);

// For the ways out on which nobody may be watching: one line on stderr.
void WriteToStandardError(const QString& sentence);

}  // namespace orvanel
