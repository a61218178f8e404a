#include "file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>

namespace orvanel {
namespace {

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
  QFileDialog dialog(parent, QString(), initial_name);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setIconProvider(&icons_);
  return Chosen(dialog);
}

std::optional<QString> QtSaveDialog::Save(QWidget* parent, const QString& suggested_name,
                                          const QString& filter) {
  QFileDialog dialog(parent, QString(), suggested_name, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setIconProvider(&icons_);
  return Chosen(dialog);
}

}  // namespace orvanel
