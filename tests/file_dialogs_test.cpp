// The Open and Save dialogs never read a file's contents: a file whose read
// never ends must not freeze the window while the user browses.
#include "gui/file_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTimer>

namespace orvanel {
namespace {

TEST(NameOnlyIconProvider, TellsAFileByItsNameNotByItsContents) {
  QTemporaryDir folder;
  const QString path = folder.filePath("report");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n");
  file.close();
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
  QtOpenDialog open;
  QtSaveDialog save;
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

}  // namespace
}  // namespace orvanel
