#pragma once

class QApplication;

namespace orvanel {

class Main;

// Makes every way out save the tally exactly once: the window's close, the end
// of the desktop session, and SIGTERM, SIGINT or SIGHUP, which are turned into a
// normal close through the event loop.
void SaveOnEveryWayOut(QApplication& application, Main& window);

}  // namespace orvanel
