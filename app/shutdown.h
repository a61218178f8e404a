#pragma once

class QApplication;

namespace orvanel {

class Main;

// Until the event loop runs nothing has been counted, and the saved tally is as
// the last run left it: SIGTERM, SIGINT or SIGHUP end the program at once, with
// nothing to save. Installed first thing, before anything that can wait (the
// display, the settings file), so that no early signal kills the program by its
// default action.
void EndAtOnceOnSignals();

// Makes every way out save the tally: the window's close, the end of the desktop
// session (the session manager is told whether the save held), the
// application's quit and SIGTERM, SIGINT or SIGHUP, which from now on close the
// window through the event loop. None of the ways out on which nobody may be
// watching waits for a click. Call it just before the event loop runs.
void SaveOnEveryWayOut(QApplication& application, Main& window);

}  // namespace orvanel
