#include "document_help_viewer.h"

#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

#include "gui/widgets/close_on_escape.h"
#include "gui/widgets/placement.h"
#include "gui/widgets/window_text.h"

namespace orvanel {

void DocumentHelpViewer::ShowContents(QWidget* parent) {
  if (!browser_) {
    browser_ = new QTextBrowser(parent);
    browser_->setObjectName("HelpWindow");
    browser_->setWindowFlag(Qt::Window);
    browser_->setOpenExternalLinks(true);
    CloseOnEscape(*browser_);
    browser_->resize(640, 560);
    //: The help document in the language of this translation, among those built
    //: into the program: qrc:/orvanel/Orvanel_de.html, qrc:/orvanel/Orvanel_fr.html.
    browser_->setSource(QUrl(WindowText::tr("qrc:/orvanel/Orvanel.html")));
    if (parent != nullptr) MoveBeside(*browser_, *parent);
    // F1 here too, as in every window: back to the start of the help.
    auto* help_key = new QShortcut(QKeySequence::HelpContents, browser_);
    QObject::connect(help_key, &QShortcut::activated, browser_,
                     [this, parent] { ShowContents(parent); });
  }
  // The document's own title names the program: "Orvanel Help".
  browser_->setWindowTitle(browser_->documentTitle());
  browser_->home();
  browser_->show();
  browser_->raise();
  browser_->activateWindow();
}

}  // namespace orvanel
