#include "file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHeaderView>
#include <QMimeDatabase>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>
#include <QTreeView>

#include "gui/widgets/window_text.h"

namespace orvanel {
namespace {

// The dialog is made bare and gets the name-only provider before any name is
// selected: a dialog made with a name selects it at once, with Qt's own
// provider, which reads the file to tell its type. The name goes with its
// folder, where that answers; else the dialog opens in `folder` alone.
void SelectByName(QFileDialog& dialog, const QString& name, const QString& folder) {
  const QFileInfo named(name);  // the name's parts alone: the file is not asked
  dialog.setDirectory(folder);
  if (!name.isEmpty() && QDir::cleanPath(named.path()) == QDir::cleanPath(folder)) {
    dialog.selectFile(named.fileName());
  }
}

// Where a person keeps such files, as the desktop names it.
QString Folder(QStandardPaths::StandardLocation location) {
  const QStringList folders = QStandardPaths::standardLocations(location);
  return folders.isEmpty() ? QDir::homePath() : folders.constFirst();
}

// The title under any platform theme (some leave it empty), and, where the
// toolkit draws the dialog itself, columns that show sizes, types and dates
// whole in every language, and room for long names beside them.
void Shape(QFileDialog& dialog, const QString& title) {
  dialog.setWindowTitle(title);
  auto* details = dialog.findChild<QTreeView*>("treeView");
  if (details == nullptr) return;  // the platform's own dialog
  QHeaderView& header = *details->header();
  header.setStretchLastSection(false);
  header.setSectionResizeMode(0, QHeaderView::Stretch);
  for (int column = 1; column < header.count(); ++column) {
    header.setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
  const QFontMetrics metrics(dialog.font());
  const QSize roomy =
      QSize(metrics.averageCharWidth() * 130, metrics.lineSpacing() * 30).expandedTo(dialog.size());
  const QSize screen = dialog.screen()->availableGeometry().size();
  dialog.resize(roomy.boundedTo(screen).expandedTo(dialog.minimumSizeHint()));
}

std::optional<QString> Chosen(QFileDialog& dialog, QWidget* parent) {
  const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  // The keys go back to the window the dialog came from.
  if (parent != nullptr) parent->window()->activateWindow();
  if (!accepted) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

}  // namespace

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
  if (info.isDir()) return QFileIconProvider::icon(Folder);
  return QFileIconProvider::icon(File);
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
  if (!info.isFile()) return QFileIconProvider::type(info);
  const QMimeType by_name =
      QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
  return by_name.comment().isEmpty() ? by_name.name() : by_name.comment();
}

QString StartingFolder::For(QWidget* parent, const QString& wanted) {
  for (const QString& folder : {wanted, QDir::homePath()}) {
    if (probe_(folder) != FolderAnswer::kNoAnswer) return folder;
    if (told_.contains(folder)) continue;
    told_.append(folder);
    messenger_.Show(parent,
                    WindowText::tr("The folder “%1” did not answer in time, so the dialog "
                                   "opens elsewhere.")
                        .arg(QDir::toNativeSeparators(folder)),
                    Messenger::Kind::kNotice);
  }
  return QDir::rootPath();
}

std::optional<QString> QtOpenDialog::Open(QWidget* parent, const QString& initial_name) {
  QFileDialog dialog(parent);
  dialog.setIconProvider(&icons_);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  //: The title of the dialog in which a pair file is chosen, as the system names it.
  Shape(dialog, WindowText::tr("Open"));
  // Never the program's own folder, where a shortcut may start it.
  const QString wanted = initial_name.isEmpty() ? Folder(QStandardPaths::DocumentsLocation)
                                                : QFileInfo(initial_name).path();
  SelectByName(dialog, initial_name, start_.For(parent, wanted));
  return Chosen(dialog, parent);
}

std::optional<QString> QtSaveDialog::Save(QWidget* parent, const QString& suggested_name,
                                          const QString& filter) {
  QFileDialog dialog(parent);
  dialog.setIconProvider(&icons_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(filter);
  Shape(dialog, WindowText::tr("Save Image"));
  // A name typed without one gets the suggested name's ending, and the dialog
  // asks before that name replaces a file.
  dialog.setDefaultSuffix(QFileInfo(suggested_name).suffix());
  // In the folder of the last image saved this run, else in the pictures.
  const QString folder =
      lastFolder_.isEmpty() ? Folder(QStandardPaths::PicturesLocation) : lastFolder_;
  const QString name = QFileInfo(suggested_name).isAbsolute()
                           ? suggested_name
                           : QDir(folder).filePath(suggested_name);
  SelectByName(dialog, name, start_.For(parent, QFileInfo(name).path()));
  const auto chosen = Chosen(dialog, parent);
  if (chosen) lastFolder_ = QFileInfo(*chosen).path();
  return chosen;
}

}  // namespace orvanel
