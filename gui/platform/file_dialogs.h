#pragma once

#include <QFileIconProvider>

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

// The platform's Open dialog, with the default title, listing all files; only
// a file that exists can be confirmed. With no name to start from, it starts in
// the user's documents.
class QtOpenDialog final : public OpenDialog {
 public:
  std::optional<QString> Open(QWidget* parent, const QString& initial_name) override;

 private:
  NameOnlyIconProvider icons_;
};

// The platform's Save dialog, which asks before it replaces a file. It starts
// in the folder of the last file saved this run, else in the user's pictures.
class QtSaveDialog final : public SaveDialog {
 public:
  std::optional<QString> Save(QWidget* parent, const QString& suggested_name,
                              const QString& filter) override;

 private:
  NameOnlyIconProvider icons_;
  QString lastFolder_;
};

}  // namespace orvanel
