#pragma once

class QApplication;

namespace orvanel {

class Main;

// Makes every way out save the tally: the window's close, the end of the desktop
// session, the application's quit, and SIGTERM, SIGINT or SIGHUP, which close the
// window through the event loop without asking anyone.
void SaveOnEveryWayOut(QApplication& application, Main& window);

}  // namespace orvanel
