// No signal ends the program here: a close message or the session's end does.
#include "ending_signals.h"

namespace orvanel {

void EndAtOnceOnSignals() {}
void QuitOnSignals(QObject&) {}

}  // namespace orvanel
