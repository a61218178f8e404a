#pragma once

class QObject;

namespace orvanel {

// Until the event loop runs nothing has been counted, and the saved tally is as
// the last run left it: SIGTERM, SIGINT or SIGHUP end the program at once, with
// nothing to save. Installed first thing, before anything that can wait (the
// display, the settings file), so that no early signal kills the program by its
// default action. Nothing on platforms without these signals.
void EndAtOnceOnSignals();

// From now on the three signals quit the application through its event loop,
// as any other quit does; `context` owns what listens for them.
void QuitOnSignals(QObject& context);

}  // namespace orvanel
