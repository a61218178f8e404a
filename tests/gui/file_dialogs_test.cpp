// The Open and Save dialogs never read a file's contents: a file whose read
// never ends must not freeze the window while the user browses.
#include "gui/platform/file_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "gui/platform/translations.h"
#include "support/beyond_any_load.h"
#include "support/window_fakes.h"

#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace orvanel {
namespace {

// A file whose contents tell a type (a PDF's first bytes) and whose name does
// not; empty when it could not be written.
QString FileOfPdfContents(const QTemporaryDir& folder) {
  const QString path = folder.filePath("report");
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return {};
  file.write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n");
  return path;
}

TEST(NameOnlyIconProvider, TellsAFileByItsNameNotByItsContents) {
  QTemporaryDir folder;
  const QString path = FileOfPdfContents(folder);
  ASSERT_FALSE(path.isEmpty());
  const QFileInfo info(path);
  const QMimeType by_contents = QMimeDatabase().mimeTypeForFile(info);
  if (by_contents.name() != "application/pdf") GTEST_SKIP() << "no MIME database to compare with";

  const NameOnlyIconProvider icons;
  const QMimeType by_name =
      QMimeDatabase().mimeTypeForFile("report", QMimeDatabase::MatchExtension);
  EXPECT_EQ(icons.type(info), by_name.comment());
  EXPECT_NE(icons.type(info), by_contents.comment());
}

// Each dialog, as it is shown, describes files with the provider above.
TEST(FileDialogs, DescribeFilesByNameAlone) {
  testing::RecordingMessenger messenger;
  QtOpenDialog open(messenger);
  QtSaveDialog save(messenger);
  int checked = 0;
  const auto check_the_shown_dialog = [&checked] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(dynamic_cast<const NameOnlyIconProvider*>(dialog->iconProvider()), nullptr);
    ++checked;
    dialog->reject();
  };
  QTimer::singleShot(0, check_the_shown_dialog);
  EXPECT_EQ(open.Open(nullptr, QString()), std::nullopt);
  QTimer::singleShot(0, check_the_shown_dialog);
  EXPECT_EQ(save.Save(nullptr, "chart.png", "PNG images (*.png)"), std::nullopt);
  EXPECT_EQ(checked, 2);
}

// The Save dialog starts in the folder of the image saved last this run.
TEST(FileDialogs, SaveWhereTheLastImageWent) {
  testing::RecordingMessenger messenger;
  QtSaveDialog save(messenger);
  QTemporaryDir folder;
  QString shown_in;
  QTimer::singleShot(0, [&folder] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(folder.filePath("chart.png"));
    QMetaObject::invokeMethod(dialog, "accept");  // as the Save button does
  });
  EXPECT_EQ(save.Save(nullptr, "convergence.png", "PNG images (*.png)"),
            folder.filePath("chart.png"));
  QTimer::singleShot(0, [&shown_in] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    shown_in = dialog->directory().absolutePath();
    dialog->reject();
  });
  EXPECT_EQ(save.Save(nullptr, "convergence.png", "PNG images (*.png)"), std::nullopt);
  EXPECT_EQ(shown_in, QDir(folder.path()).absolutePath());
}

// Where the toolkit draws `dialog`, its details show every text whole once its
// folder is listed.
void ExpectEveryColumnWhole(QFileDialog& dialog, const char* locale) {
#ifdef Q_OS_WIN
  return;  // Windows always shows a dialog of its own
#endif
  const auto* details = dialog.findChild<QTreeView*>("treeView");
  if (details == nullptr) return;
  dialog.setViewMode(QFileDialog::Detail);
  // The folder is listed on a thread of the toolkit's.
  const bool listed =
      QTest::qWaitFor([details] { return details->model()->rowCount(details->rootIndex()) >= 2; },
                      testing::kBeyondAnyLoadMilliseconds);
  ASSERT_TRUE(listed) << locale;
  const QAbstractItemView& view = *details;  // what each column's texts need
  for (int column = 0; column < 4; ++column) {
    EXPECT_GE(details->header()->sectionSize(column), view.sizeHintForColumn(column))
        << locale << ", column " << column;
  }
}

// Both dialogs carry their title in every language; where the toolkit draws
// the dialog, each column shows its texts whole: a file's name, size, type and
// date.
TEST(FileDialogs, ShowTheirTitleAndEveryColumnWhole) {
  QTemporaryDir folder;
  const QString pairs = folder.filePath("pairs of 10 December 2026.bin");
  for (const QString& name : {pairs, folder.filePath("convergence of 10 December 2026.png")}) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(562'345, '\x01'));
  }
  ASSERT_TRUE(folder.isValid() && QDir(folder.path()).mkdir("a folder"));
  struct Case {
    const char* locale;
    const char* open;
    const char* save;
  };
  for (const Case& c :
       {Case{"en_US", "Open", "Save Image"}, Case{"de_DE", "Öffnen", "Bild speichern"},
        Case{"fr_FR", "Ouvrir", "Enregistrer l’image"}}) {
    Translations translations;
    translations.Use(QLocale(c.locale));
    QLocale::setDefault(QLocale(c.locale));
    testing::RecordingMessenger messenger;
    QtOpenDialog open(messenger);
    QtSaveDialog save(messenger);
    QStringList titles;
    const auto check_the_shown_dialog = [&titles, &c] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      titles << dialog->windowTitle();
      ExpectEveryColumnWhole(*dialog, c.locale);
      dialog->reject();
    };
    QTimer::singleShot(0, check_the_shown_dialog);
    EXPECT_EQ(open.Open(nullptr, pairs), std::nullopt);
    QTimer::singleShot(0, check_the_shown_dialog);
    EXPECT_EQ(save.Save(nullptr, folder.filePath("chart.png"), "PNG (*.png)"), std::nullopt);
    EXPECT_EQ(titles, QStringList({QString::fromUtf8(c.open), QString::fromUtf8(c.save)}));
  }
  QLocale::setDefault(QLocale::c());
}

// A folder that does not answer (a mount that went away) is never shown: the
// dialog opens in the home folder, or in the root when the home does not
// answer either, and the person hears of each such folder once a run.
TEST(FileDialogs, StartWhereTheFolderAnswers) {
  QTemporaryDir gone;
  const QString hung = gone.filePath("hung");
  struct Case {
    const char* name;
    QStringList unanswering;
    QString shownIn;
  } cases[] = {{"TheFolderHangs", {hung}, QDir::homePath()},
               {"TheHomeHangsToo", {hung, QDir::homePath()}, QDir::rootPath()}};
  for (const Case& c : cases) {
    testing::RecordingMessenger messenger;
    QtOpenDialog open(messenger, [&c](const QString& folder) {
      return c.unanswering.contains(folder) ? FolderAnswer::kNoAnswer : FolderAnswer::kFolder;
    });
    for (int showing = 0; showing < 2; ++showing) {
      QString shown_in;
      QTimer::singleShot(0, [&shown_in] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown_in = dialog->directory().absolutePath();
        dialog->reject();
      });
      EXPECT_EQ(open.Open(nullptr, hung + "/pairs.bin"), std::nullopt) << c.name;
      EXPECT_EQ(QDir::cleanPath(shown_in), QDir::cleanPath(c.shownIn)) << c.name;
    }
    EXPECT_EQ(messenger.messages.size(), c.unanswering.size()) << c.name << ": told once each";
    EXPECT_TRUE(messenger.messages.value(0).contains(QDir::toNativeSeparators(hung))) << c.name;
  }
}

#ifdef Q_OS_LINUX
// The name a dialog starts from is shown, never read: were the file on a mount
// that stopped answering (or /proc/kmsg), a read would freeze the window. The
// file here has contents by which a type could be told and no ending by which
// its name could; the system tells whether anything opened it.
TEST(FileDialogs, ReadNothingOfTheNameTheyStartFrom) {
  QTemporaryDir folder;
  const QString path = FileOfPdfContents(folder);
  ASSERT_FALSE(path.isEmpty());
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(path).constData(), IN_OPEN), 0);

  testing::RecordingMessenger messenger;
  QtOpenDialog open(messenger);
  QtSaveDialog save(messenger);
  // Shown for a moment each, as a person would look into the folder.
  const auto close_soon = [] {
    QTimer::singleShot(300, [] {
      if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        dialog->reject();
      }
    });
  };
  close_soon();
  EXPECT_EQ(open.Open(nullptr, path), std::nullopt);
  close_soon();
  EXPECT_EQ(save.Save(nullptr, path, "PNG images (*.png)"), std::nullopt);
  alignas(inotify_event) char events[4096];
  EXPECT_LE(::read(watch, events, sizeof events), 0) << "a dialog opened the file";
  ::close(watch);
}
#endif

}  // namespace
}  // namespace orvanel
