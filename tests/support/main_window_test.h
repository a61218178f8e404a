#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRect>

#include "gui/main/tick_timer.h"
#include "widgets.h"
#include "window_fakes.h"

namespace orvanel::testing {

inline QAction* Action(QWidget& window, const char* name) {
  return Find<QAction>(window, name);
}

// The rectangle of a control placed in twips, in pixels (15 twips each).
inline QRect Twips(int left, int top, int width, int height) {
  return QRect(left / 15, top / 15, width / 15, height / 15);
}

// A test of the main window on fakes.
class MainWindowTest : public ::testing::Test {
 protected:
  Main& window() { return *rig.window; }
  TickTimer* timer() { return Find<TickTimer>(window(), "Timer1"); }
  QPushButton* startStop() { return Find<QPushButton>(window(), "StartStopCommand"); }
  QPushButton* reset() { return Find<QPushButton>(window(), "ClearCommand"); }
  QString Text(const char* label) { return Find<QLabel>(window(), label)->text(); }
  WindowRig rig;
};

}  // namespace orvanel::testing
