#pragma once

#include <QLocale>
#include <QTranslator>

namespace orvanel {

// The program's own translations and Qt's (for the Open dialog and the standard
// buttons), for the first of a locale's UI languages that has them.
class Translations {
 public:
  Translations() = default;
  Translations(const Translations&) = delete;
  Translations& operator=(const Translations&) = delete;
  ~Translations();

  // Installs the translations for `locale` in place of those installed before.
  void Use(const QLocale& locale);

 private:
  void Remove();

  QTranslator program_;
  QTranslator qt_;
  bool installed_ = false;
};

}  // namespace orvanel
