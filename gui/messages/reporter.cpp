#include "reporter.h"

#include "messages.h"

namespace orvanel {

void Reporter::Tell(QWidget* parent, const QString& sentence, Attendance attendance, Kind kind) {
  WriteToStandardError(sentence);
  switch (attendance) {
    case Attendance::kPersonPresent:
      messenger_.Show(parent, sentence, kind);
      break;
    case Attendance::kOnceOnScreen:
      heldBack_.push_back(HeldBack{parent, sentence, kind});
      break;
    case Attendance::kNobodyWatching:
      break;
  }
}

void Reporter::TellHeldBack() {
  for (const HeldBack& held : std::exchange(heldBack_, {})) {
    messenger_.Show(held.parent, held.sentence, held.kind);
  }
}

}  // namespace orvanel
