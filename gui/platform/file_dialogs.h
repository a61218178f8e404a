#pragma once

#include <QFileIconProvider>

#include <QStringList>

#include "folder_probe.h"
#include "platform_services.h"

namespace orvanel {

// Describes files by their names alone. Qt's own provider asks the MIME
// database, which reads a file's first bytes when its name says too little, on
// the window's thread, for every name the dialog lists or the user types: a
// file whose read never ends (/proc/kmsg as root, a file on a mount that stopped
// answering) would freeze the window for good.
class NameOnlyIconProvider final : public QFileIconProvider {
 public:
  [[nodiscard]] QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
  [[nodiscard]] QIcon icon(const QFileInfo& info) const override;
  [[nodiscard]] QString type(const QFileInfo& info) const override;
};

// Where a file dialog starts: the folder it would start in when that answers
// in time; else the home folder, else the file system's root. Each folder that
// did not answer is told once a run, through `messenger`, before the dialog
// opens elsewhere.
class StartingFolder {
 public:
  StartingFolder(Messenger& messenger, FolderProbe probe)
      : messenger_(messenger), probe_(std::move(probe)) {}
  // The folder to start in instead of `wanted`; `wanted` itself when it answers.
  [[nodiscard]] QString For(QWidget* parent, const QString& wanted);

 private:
  Messenger& messenger_;
  FolderProbe probe_;
  QStringList told_;
};

// The platform's Open dialog, with the default title, listing all files; only
// a file that exists can be confirmed. With no name to start from, it starts in
// the user's documents.
class QtOpenDialog final : public OpenDialog {
 public:
  explicit QtOpenDialog(Messenger& messenger, FolderProbe probe = LookPatiently)
      : start_(messenger, std::move(probe)) {}
  std::optional<QString> Open(QWidget* parent, const QString& initial_name) override;

 private:
  NameOnlyIconProvider icons_;
  StartingFolder start_;
};

// The platform's Save dialog, which asks before it replaces a file. It starts
// in the folder of the last file saved this run, else in the user's pictures.
class QtSaveDialog final : public SaveDialog {
 public:
  explicit QtSaveDialog(Messenger& messenger, FolderProbe probe = LookPatiently)
      : start_(messenger, std::move(probe)) {}
  std::optional<QString> Save(QWidget* parent, const QString& suggested_name,
                              const QString& filter) override;

 private:
  NameOnlyIconProvider icons_;
  StartingFolder start_;
  QString lastFolder_;
};

}  // namespace orvanel
