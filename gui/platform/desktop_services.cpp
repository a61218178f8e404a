#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>

#include "close_on_escape.h"
#include "file_dialogs.h"
#include "history/user_settings_store.h"
#include "main_words.h"
#include "placement.h"
#include "platform_services.h"

namespace orvanel {
namespace {

class MessageBoxMessenger final : public Messenger {
 public:
  void Show(QWidget* parent, const QString& sentence, Kind kind) override {
    const QString title = QCoreApplication::applicationName();
    const QString text = Unbroken(sentence);
    switch (kind) {
      case Kind::kNotice:
        QMessageBox::information(parent, title, text);
        break;
      case Kind::kWarning:
        QMessageBox::warning(parent, title, text);
        break;
      case Kind::kFailure:
        QMessageBox::critical(parent, title, text);
        break;
    }
  }

  SaveChoice AskAfterFailedSave(QWidget* parent, const QString& sentence) override {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), Unbroken(sentence),
                    QMessageBox::NoButton, parent);
    QPushButton* retry = box.addButton(QMessageBox::Retry);
    QPushButton* quit =
        box.addButton(MainWords::tr("&Quit Without Saving"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(retry);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == retry) return SaveChoice::kRetry;
    if (box.clickedButton() == quit) return SaveChoice::kQuitWithoutSaving;
    return SaveChoice::kCancel;
  }

 private:
  // A message box breaks its lines wherever the text allows, and a path allows
  // it after every slash: in the box, a line breaks only at a blank.
  static QString Unbroken(const QString& sentence) {
    QString text;
    for (const QChar c : sentence) {
      text += c;
      if (c == '/' || c == '\\' || c == '-' || c == '.' || c == '_') text += QChar(0x2060);
    }
    return text;
  }
};

// The help document is compiled into the program, so it cannot go missing. It
// opens in a window of its own beside the main window, at its start.
class DocumentHelpViewer final : public HelpViewer {
 public:
  void ShowContents(QWidget* parent) override {
    if (!browser_) {
      browser_ = new QTextBrowser(parent);
      browser_->setObjectName("HelpWindow");
      browser_->setWindowFlag(Qt::Window);
      browser_->setOpenExternalLinks(true);
      CloseOnEscape(*browser_);
      browser_->resize(640, 560);
      //: The help document in the language of this translation, among those built
      //: into the program: qrc:/orvanel/Orvanel_de.html, qrc:/orvanel/Orvanel_fr.html.
      browser_->setSource(QUrl(MainWords::tr("qrc:/orvanel/Orvanel.html")));
      if (parent != nullptr) MoveBeside(*browser_, *parent);
    }
    // The document's own title names the program: "Orvanel Help".
    browser_->setWindowTitle(browser_->documentTitle());
    browser_->home();
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
  }

 private:
  QPointer<QTextBrowser> browser_;
};

}  // namespace

std::unique_ptr<HelpViewer> MakeDocumentHelpViewer() {
  return std::make_unique<DocumentHelpViewer>();
}

PlatformServices DesktopServices() {
  PlatformServices services;
  services.messenger = std::make_unique<MessageBoxMessenger>();
  services.openDialog = std::make_unique<QtOpenDialog>();
  services.saveDialog = std::make_unique<QtSaveDialog>();
  services.helpViewer = MakeDocumentHelpViewer();
  services.settingsStore = MakeUserSettingsStore();
  services.generator = std::make_unique<ClockSeededGenerator>();
  services.clock = std::make_unique<SteadyClock>();
  return services;
}

}  // namespace orvanel
