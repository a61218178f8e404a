#pragma once

#include <QString>

#include <exception>

#include "base/file_failure.h"
#include "history/saved_history.h"

namespace orvanel {

// Every sentence the program says to its user about a problem has its words here.

// The sentence for an error that ended an operation.
[[nodiscard]] QString ErrorText(const std::exception& error);

// What could not be used of the saved tally kept at `location`, and what the
// next save will drop; empty when there is nothing to say.
[[nodiscard]] QString LoadProblemText(const LoadedHistory& loaded, const QString& location);

// Whether that is news the user must see in the window (a tally started from
// zero, lines the next save drops, a tally that cannot be saved), not only a
// line on stderr.
[[nodiscard]] bool LoadProblemNeedsTelling(const LoadedHistory& loaded);
// Whether it warns of a loss (a tally started from zero, or one that cannot be
// saved), rather than giving news.
[[nodiscard]] bool LoadProblemLoses(const LoadedHistory& loaded);

// The pair file `name` ended without a single whole pair; `bytes` is its length.
[[nodiscard]] QString NoCompletePairText(const QString& name, qint64 bytes);

// The chart's image could not be written to `path`, for the reason `failure` gives.
[[nodiscard]] QString ImageNotSavedText(const QString& path, const FileFailure& failure);

// Another copy of Orvanel runs and did not answer when asked to come forward.
[[nodiscard]] QString OtherCopyDoesNotAnswerText();

// For the ways out on which nobody may be watching: one line on stderr.
void WriteToStandardError(const QString& sentence);

}  // namespace orvanel
