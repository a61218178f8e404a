#include "about_play.h"

#include <QKeyEvent>
#include <QLabel>

#include <algorithm>

#include "gui/widgets/about_credits.h"
#include "text_width.h"
#include "twips.h"

namespace orvanel {
namespace {

constexpr int kDesignedWidth = 4395;
constexpr int kDesignedHeight = 2610;

// The web address may stand in either line of its sentence: a language that
// names it last moves it to the second line.
QString WithWebAddress(const QString& line) {
  return QString(line).replace(QLatin1String("%1"), QString::fromUtf8(kWebAddress));
}

}  // namespace

AboutPlay::AboutPlay(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutPlay");
  setWindowTitle(tr("About Orvanel"));
  // Only the close command: a modal window that could be minimised would leave
  // the main window blocked with nothing on screen, and there is nothing to
  // maximise.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  struct Line {
    const char* name;
    QString text;
    int left, top, width, height;
  };
  // Three sentences, each over two lines, from top to bottom.
  const Line lines[] = {
      {"Label2", tr("You are running Orvanel  1.1,"), 960, 240, 2655, 255},
      {"Label1",
       tr("written by %1.").arg(*kAuthor ? QString(kAuthor) : tr("the Orvanel developers")), 960,
       600, 2655, 255},
      {"Label4", tr("Any comments or bug reports can be sent"), 480, 960, 3015, 255},
      {"Label3", tr("to %1").arg(kCommentsAddress), 960, 1200, 2175, 255},
      //: The first line of a sentence over two; %1 is the maker's web address,
      //: which may move to the second line if the language puts it last.
      {"Label6", WithWebAddress(tr("Check out %1")), 600, 1680, 2535, 255},
      //: The second line of the sentence; it may take the web address, %1,
      //: from the first line.
      {"Label5", WithWebAddress(tr("for other games, short stories and merchandise.")), 360, 1920,
       3495, 375},
  };
  // Each line keeps its place and grows to the right where its text needs more
  // room than the layout gives it (a wider font, a longer language); the window
  // then grows with it, keeping the margin of the leftmost line on the right.
  int right_margin = TwipsToPixels(kDesignedWidth);
  int rightmost = 0;
  int height = TwipsToPixels(kDesignedHeight);
  for (const Line& line : lines) {
    auto* label = new QLabel(line.text, this);
    label->setObjectName(line.name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    PlaceInTwips(*label, line.left, line.top, line.width, line.height);
    label->resize(std::max(label->width(), WidthToShow(*label, {line.text})),
                  std::max(label->height(), label->fontMetrics().height()));
    right_margin = std::min(right_margin, label->x());
    rightmost = std::max(rightmost, label->geometry().right() + 1);
    height = std::max(height, label->geometry().bottom() + 1);
  }
  setFixedSize(std::max(rightmost + right_margin, TwipsToPixels(kDesignedWidth)), height);
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
