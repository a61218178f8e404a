#include "help_document.h"

#include <QDir>
#include <QFileInfo>

namespace orvanel {

QStringList HelpSearchFolders(const QString& executable_folder) {
  const QDir bin(executable_folder);
  return {bin.absolutePath(), QDir::cleanPath(bin.absoluteFilePath(QStringLiteral(ORVANEL_HELP_FROM_BIN)))};
}

QString FindHelpDocument(const QString& help_file, const QStringList& folders) {
  const QString document = QFileInfo(help_file).completeBaseName() + ".html";
  for (const QString& folder : folders) {
    const QFileInfo candidate(QDir(folder).filePath(document));
    if (candidate.isFile()) return candidate.absoluteFilePath();
  }
  return {};
}

}  // namespace orvanel
