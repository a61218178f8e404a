#pragma once

#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

namespace orvanel::testing {

// The child of `parent` with this object name. A missing one ends the test with
// a failure that names it, instead of handing back a null pointer to crash on.
template <typename T>
T* Find(const QObject& parent, const char* name) {
  T* found = parent.findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) {
    throw std::runtime_error(std::string("no ") + T::staticMetaObject.className() + " named " + name);
  }
  return found;
}

}  // namespace orvanel::testing
