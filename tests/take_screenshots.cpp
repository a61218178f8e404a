// Takes the screenshots in docs/: both windows in every shipped language, with
// 10-digit counts, on fakes (no settings of the user are read or written).
// Run under a real X server:
//   QT_QPA_PLATFORM=xcb xvfb-run -a build/release/tests/take_screenshots docs
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPixmap>

#include <cmath>
#include <cstdio>
#include <numbers>

#include "about_play.h"
#include "support/window_fakes.h"
#include "translations.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QDir folder(argc > 1 ? argv[1] : ".");
  for (const char* language : orvanel::kShippedLanguages) {
    QLocale::setDefault(QLocale(language));
    orvanel::Translations translations;
    translations.Use(QLocale(language));

    // Ten-digit counts in the proportion that gives pi.
    constexpr std::int32_t kTotal = 2'147'480'000;
    const auto hits = static_cast<std::int32_t>(
        std::round(kTotal * (1.0 - 6.0 / (std::numbers::pi * std::numbers::pi))));
    orvanel::testing::WindowRig rig;
    rig.Load(orvanel::TrialTally{kTotal, hits, 0.0});
    rig.Tick();
    rig.window->show();
    QApplication::processEvents();
    const QString main_file = folder.filePath(QString("main-%1.png").arg(language));
    rig.window->grab().save(main_file);

    orvanel::AboutPlay about(rig.window.get());
    about.show();
    QApplication::processEvents();
    const QString about_file = folder.filePath(QString("about-%1.png").arg(language));
    about.grab().save(about_file);
    std::printf("%s\n%s\n", qPrintable(main_file), qPrintable(about_file));
  }
  return 0;
}
