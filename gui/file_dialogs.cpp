#include "file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>

namespace orvanel {
namespace {

// The dialog is made bare and gets the name-only provider before any name is
// selected: a dialog made with a name selects it at once, with Qt's own
// provider, which reads the file to tell its type.
void SelectByName(QFileDialog& dialog, const QString& name) {
  if (name.isEmpty()) return;
  const QFileInfo named(name);  // the name's parts alone: the file is not asked
  dialog.setDirectory(named.path());
  dialog.selectFile(named.fileName());
}

std::optional<QString> Chosen(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
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

std::optional<QString> QtOpenDialog::Open(QWidget* parent, const QString& initial_name) {
  QFileDialog dialog(parent);
  dialog.setIconProvider(&icons_);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  SelectByName(dialog, initial_name);
  return Chosen(dialog);
}

std::optional<QString> QtSaveDialog::Save(QWidget* parent, const QString& suggested_name,
                                          const QString& filter) {
  QFileDialog dialog(parent);
  dialog.setIconProvider(&icons_);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(filter);
  // A name typed without one gets the suggested name's ending, and the dialog
  // asks before that name replaces a file.
  dialog.setDefaultSuffix(QFileInfo(suggested_name).suffix());
  SelectByName(dialog, suggested_name);
  return Chosen(dialog);
}

}  // namespace orvanel
