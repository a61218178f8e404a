#include "document_help_viewer.h"

#include <QMainWindow>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

#include "document_access.h"
#include "gui/widgets/close_on_escape.h"
#include "gui/widgets/placement.h"
#include "gui/widgets/window_text.h"

namespace orvanel {

void DocumentHelpViewer::ShowContents(QWidget* parent) {
  if (!window_) {
    AnnounceHelpAsDocument();
    // A window holding a document, as a screen reader should present it.
    window_ = new QMainWindow(parent);
    window_->setObjectName("HelpWindow");
    browser_ = new QTextBrowser(window_);
    browser_->setObjectName("HelpDocument");
    browser_->setOpenExternalLinks(true);
    browser_->setFrameShape(QFrame::NoFrame);
    window_->setCentralWidget(browser_);
    CloseOnEscape(*window_);
    window_->resize(640, 560);
    //: The help document in the language of this translation, among those built
    //: into the program: qrc:/orvanel/Orvanel_de.html, qrc:/orvanel/Orvanel_fr.html.
    browser_->setSource(QUrl(WindowText::tr("qrc:/orvanel/Orvanel.html")));
    if (parent != nullptr) MoveBeside(*window_, *parent);
    // F1 here too, as in every window: back to the start of the help.
    auto* help_key = new QShortcut(QKeySequence::HelpContents, window_);
    QObject::connect(help_key, &QShortcut::activated, window_,
                     [this, parent] { ShowContents(parent); });
  }
  // The document's own title names the program: "Orvanel Help".
  window_->setWindowTitle(browser_->documentTitle());
  browser_->home();
  window_->show();
  window_->raise();
  window_->activateWindow();
}

}  // namespace orvanel
