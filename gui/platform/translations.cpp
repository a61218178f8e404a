#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace orvanel {

Translations::~Translations() {
  Remove();
}

void Translations::Remove() {
  if (!installed_) return;
  QCoreApplication::removeTranslator(&program_);
  QCoreApplication::removeTranslator(&qt_);
  installed_ = false;
}

void Translations::Use(const QLocale& locale) {
  Remove();
  // A language without translations (English among them) leaves the translators
  // empty, and the source texts show.
  (void)program_.load(locale, "orvanel", "_", ":/orvanel/i18n");
  (void)qt_.load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  QCoreApplication::installTranslator(&program_);
  QCoreApplication::installTranslator(&qt_);
  installed_ = true;
}

}  // namespace orvanel
