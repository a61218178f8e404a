#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include <ostream>

#include "beyond_any_load.h"

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

namespace orvanel::testing {

// The child of `parent` with this object name. A missing one ends the test with
// a failure that names it, instead of handing back a null pointer to crash on.
template <typename T>
T* Find(const QObject& parent, const char* name) {
  T* found = parent.findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) {
    throw std::runtime_error(std::string("no ") + T::staticMetaObject.className() + " named " +
                             name);
  }
  return found;
}

// Calls `open`, which shows a modal window of type `Window`, and runs `inspect`
// on that window from inside its own loop. The window is closed afterwards
// whatever happened, so a failing check fails the test instead of leaving the
// window open for ever.
template <typename Window, typename Open, typename Inspect>
void InspectModal(QObject& context, Open&& open, Inspect&& inspect) {
  bool ran = false;
  bool inspected = false;
  QTimer::singleShot(0, &context, [&] {
    ran = true;
    QWidget* modal = QApplication::activeModalWidget();
    try {
      auto* window = qobject_cast<Window*>(modal);
      if (window == nullptr) {
        throw std::runtime_error(std::string("no modal ") + Window::staticMetaObject.className());
      }
      inspect(*window);
      inspected = true;
    } catch (const std::exception& error) {
      ADD_FAILURE() << error.what();
    }
    if (modal != nullptr) modal->close();
  });
  open();
  if (!ran) QCoreApplication::processEvents();  // nothing modal came up: report it here
  EXPECT_TRUE(inspected);
}

// Handles the window's events until `holds` is true, at most `patience`: for
// what a helper thread hands back to the window. True when it came.
template <typename Condition>
bool Within(Condition&& holds, std::chrono::milliseconds patience = kBeyondAnyLoad) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!holds()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace orvanel::testing
