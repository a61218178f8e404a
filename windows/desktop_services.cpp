#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

#include "help_document.h"
#include "platform_services.h"
#include "qsettings_store.h"

namespace orvanel {
namespace {

// Qt's Open dialog with the platform's default title, listing all files.
class QtOpenDialog final : public OpenDialog {
 public:
  std::optional<QString> Open(QWidget* parent, const QString& initial_name) override {
    const QString chosen = QFileDialog::getOpenFileName(parent, QString(), initial_name);
    if (chosen.isEmpty()) return std::nullopt;
    return chosen;
  }
};

class MessageBoxMessenger final : public Messenger {
 public:
  void ShowError(QWidget* parent, const QString& sentence) override {
    QMessageBox::critical(parent, QCoreApplication::applicationName(), sentence);
  }
};

// Shows the help document that ships with Orvanel in a window of its own, which
// stays open beside the main window.
class DocumentHelpViewer final : public HelpViewer {
 public:
  DocumentHelpViewer(Messenger& messenger, QStringList folders)
      : messenger_(messenger), folders_(std::move(folders)) {}

  void ShowHelp(QWidget* parent, const QString& help_file, int command) override {
    (void)command;  // the document always opens at its contents, its start
    const QString document = FindHelpDocument(help_file, folders_);
    if (document.isEmpty()) {
      messenger_.ShowError(parent, QStringLiteral("The help file %1 could not be found. It is looked for "
                                                  "in %2.")
                                       .arg(help_file, folders_.join(" and ")));
      return;
    }
    if (!browser_) {
      browser_ = new QTextBrowser(parent);
      browser_->setObjectName("HelpWindow");
      browser_->setWindowFlag(Qt::Window);
      browser_->setOpenExternalLinks(true);
      browser_->resize(640, 560);
    }
    browser_->setWindowTitle(QCoreApplication::applicationName() + " Help");
    browser_->setSource(QUrl::fromLocalFile(document));
    browser_->home();
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
  }

 private:
  Messenger& messenger_;
  QStringList folders_;
  QPointer<QTextBrowser> browser_;
};

}  // namespace

std::unique_ptr<HelpViewer> MakeDocumentHelpViewer(Messenger& messenger, QStringList folders) {
  return std::make_unique<DocumentHelpViewer>(messenger, std::move(folders));
}

PlatformServices DesktopServices() {
  PlatformServices services;
  services.messenger = std::make_unique<MessageBoxMessenger>();
  services.openDialog = std::make_unique<QtOpenDialog>();
  services.helpViewer = MakeDocumentHelpViewer(
      *services.messenger, HelpSearchFolders(QCoreApplication::applicationDirPath()));
  services.settingsStore = std::make_unique<QSettingsStore>();
  services.generator = std::make_unique<ClockSeededGenerator>();
  services.clock = std::make_unique<SteadyClock>();
  return services;
}

}  // namespace orvanel
