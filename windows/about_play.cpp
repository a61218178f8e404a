#include "about_play.h"

#include <QKeyEvent>
#include <QLabel>

#include "about_credits.h"
#include "twips.h"

namespace orvanel {

AboutPlay::AboutPlay(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutPlay");
  setWindowTitle("About Orvanel");
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setFixedSize(TwipsToPixels(4395), TwipsToPixels(2610));

  struct Line {
    const char* name;
    QString text;
    int left, top, width, height;
  };
  const Line lines[] = {
      {"Label2", "You are running Orvanel  1.1,", 960, 240, 2655, 255},
      {"Label1", QStringLiteral("written by %1.").arg(kAuthor), 960, 600, 2655, 255},
      {"Label4", "Any comments or bug reports can be sent", 480, 960, 3015, 255},
      {"Label3", QStringLiteral("to %1").arg(kCommentsAddress), 960, 1200, 2175, 255},
      {"Label6", QStringLiteral("Check out %1").arg(kWebAddress), 600, 1680, 2535, 255},
      {"Label5", "for other games, short stories and merchandise.", 360, 1920, 3495, 375},
  };
  for (const Line& line : lines) {
    auto* label = new QLabel(line.text, this);
    label->setObjectName(line.name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PlaceInTwips(*label, line.left, line.top, line.width, line.height);
  }
}

void AboutPlay::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

}  // namespace orvanel
