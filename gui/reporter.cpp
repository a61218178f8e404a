#include "reporter.h"

#include "messages.h"

namespace orvanel {

void Reporter::Tell(QWidget* parent, const QString& sentence, Attendance attendance) {
  WriteToStandardError(sentence);
  switch (attendance) {
    case Attendance::kPersonPresent:
      messenger_.ShowError(parent, sentence);
      break;
    case Attendance::kOnceOnScreen:
      heldBack_.emplace_back(parent, sentence);
      break;
    case Attendance::kNobodyWatching:
      break;
  }
}

void Reporter::TellHeldBack() {
  for (auto& [parent, sentence] : std::exchange(heldBack_, {})) {
    messenger_.ShowError(parent, sentence);
  }
}

}  // namespace orvanel
