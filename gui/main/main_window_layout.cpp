// The main window's controls and menus: where each sits and what it says.
#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

#include <algorithm>
#include <initializer_list>
#include <limits>

#include "gui/widgets/contrast.h"
#include "gui/widgets/text_width.h"
#include "gui/widgets/twips.h"
#include "gui/widgets/workspace_color.h"
#include "main_window.h"

namespace orvanel {
namespace {

// The designed layout, in twips: the client area and each control's place.
struct Place {
  int left, top, width, height;
};
constexpr int kClientWidth = 6315;
constexpr int kClientHeight = 2925;
constexpr Place kLabel1{120, 240, 375, 495};
constexpr Place kEstimateText{600, 360, 2175, 375};
constexpr Place kTotalText{600, 600, 3015, 375};
constexpr Place kHitsText{600, 840, 3015, 375};
constexpr Place kClearCommand{4920, 360, 855, 375};
constexpr Place kStartStopCommand{4920, 960, 855, 375};
constexpr Place kProgressFrame{120, 1680, 5775, 735};
constexpr Place kProgressBar1{240, 360, 5415, 255};  // within the frame
// Where the status lines may reach at most before the buttons.
constexpr int kStatusRightEdge = 4800;

// What a grown layout keeps: the buttons' distance from the right edge and the
// status lines' from the buttons, the frame's distance from the right edge and
// the bar's within the frame.
constexpr int kButtonsRightMargin = kClientWidth - kClearCommand.left - kClearCommand.width;
constexpr int kStatusToButtons = kClearCommand.left - kStatusRightEdge;
constexpr int kFrameRightMargin = kClientWidth - kProgressFrame.left - kProgressFrame.width;
constexpr int kBarRightMargin = kProgressFrame.width - kProgressBar1.left - kProgressBar1.width;

void PlaceAsDesigned(QWidget& widget, const Place& place) {
  PlaceInTwips(widget, place.left, place.top, place.width, place.height);
}

// The width a button needs for the widest of its captions.
int ButtonWidthToShow(QPushButton& button, std::initializer_list<QString> captions) {
  const QString shown = button.text();
  int widest = 0;
  for (const QString& caption : captions) {
    button.setText(caption);
    widest = std::max(widest, button.sizeHint().width());
  }
  button.setText(shown);
  return widest;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  return label;
}

// A disabled frame (no file, or a file done) keeps a caption that reads on the
// workspace colour (4.5 : 1), and its bar keeps the colour of what it shows.
void ReadableWhenDisabled(QGroupBox& frame) {
  frame.ensurePolished();  // a style may set its own disabled colours as it polishes
  QPalette palette = frame.palette();
  const QColor background = palette.color(QPalette::Window);
  const QColor text = palette.color(QPalette::Active, QPalette::WindowText);
  if (ContrastRatio(palette.color(QPalette::Disabled, QPalette::WindowText), background) < 4.5) {
    // A tone of the palette's text, or a grey where that text itself does not
    // stand out from the workspace (a dark palette on the system's light grey).
    const bool text_reads = ContrastRatio(text, background) >= 4.5;
    palette.setColor(QPalette::Disabled, QPalette::WindowText,
                     ColourThatStandsOut(text_reads ? std::max(0.0F, text.hslHueF()) * 360 : 0,
                                         text_reads ? text.hslSaturationF() : 0, background, 4.5));
  }
  for (const auto role : {QPalette::Highlight, QPalette::Text, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
  }
  frame.setPalette(palette);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

void Main::CreateControls() {
  auto* client = new QWidget(this);
  client->setObjectName("Client");
  client->setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
  QPalette workspace = client->palette();
  workspace.setColor(QPalette::Window, ApplicationWorkspaceColor());
  client->setPalette(workspace);
  client->setAutoFillBackground(true);
  setCentralWidget(client);
  layout()->setSizeConstraint(QLayout::SetFixedSize);  // nothing moves with the window

  // The window's emblem: a large bold capital pi, named for screen readers.
  Label1 = MakeLabel(client, "Label1", QString(QChar(0x03A0)));
  QFont pi_font = Label1->font();
  pi_font.setPointSizeF(20.25);
  pi_font.setBold(true);
  Label1->setFont(pi_font);
  Label1->setAccessibleName(tr("pi"));
  PlaceAsDesigned(*Label1, kLabel1);

  EstimateText = MakeLabel(client, "EstimateText", tr("is about"));
  PlaceAsDesigned(*EstimateText, kEstimateText);
  TotalText = MakeLabel(client, "TotalText", tr("people asked"));
  PlaceAsDesigned(*TotalText, kTotalText);
  HitsText = MakeLabel(client, "HitsText", tr("hits found"));
  PlaceAsDesigned(*HitsText, kHitsText);

  ClearCommand = MakeButton(client, "ClearCommand", tr("Reset"));
  PlaceAsDesigned(*ClearCommand, kClearCommand);
  ClearCommand->setEnabled(false);
  connect(ClearCommand, &QPushButton::clicked, this, &Main::ClearCommand_Click);

  StartStopCommand = MakeButton(client, "StartStopCommand", tr("Stop"));
  PlaceAsDesigned(*StartStopCommand, kStartStopCommand);
  connect(StartStopCommand, &QPushButton::clicked, this, &Main::StartStopCommand_Click);

  ProgressFrame = new QGroupBox(client);
  ProgressFrame->setObjectName("ProgressFrame");
  ProgressFrame->setAutoFillBackground(true);
  ProgressFrame->setFocusPolicy(Qt::NoFocus);
  PlaceAsDesigned(*ProgressFrame, kProgressFrame);
  ProgressFrame->setEnabled(false);

  ProgressBar1 = new QProgressBar(ProgressFrame);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, kProgressMaximum);
  ProgressBar1->setValue(0);
  // Once a file is chosen the bar tells its value, "100 %" when the file is done.
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setFormat(tr("%p %"));
  PlaceAsDesigned(*ProgressBar1, kProgressBar1);
  ReadableWhenDisabled(*ProgressFrame);

  setTabOrder(ClearCommand, StartStopCommand);
  FitToTexts();
}

// The layout is kept wherever the texts fit. Where one does not (a wider
// platform font, a longer language), its control grows; where the room runs
// out, the window grows with it, the buttons keeping their distance from the
// right edge. A file's name never grows it. Every size is fixed, so that a new
// text does not ask the window for a new layout while trials run.
void Main::FitToTexts() {
  constexpr auto kLowestCount = std::numeric_limits<std::int32_t>::min();
  const struct {
    QLabel* label;
    int designedWidth;
    QString caption;
    QString widest;
  } status_lines[] = {
      {EstimateText, kEstimateText.width, tr("is about"), EstimateLine(999999.9999)},
      {TotalText, kTotalText.width, tr("people asked"), TotalLine(kLowestCount)},
      {HitsText, kHitsText.width, tr("hits found"), HitsLine(kLowestCount)},
  };
  // Some fonts draw the emblem wider than designed; there is room before the
  // status lines for it to grow into.
  Label1->setFixedSize(
      std::max(TwipsToPixels(kLabel1.width), WidthToShow(*Label1, {Label1->text()})),
      std::max(TwipsToPixels(kLabel1.height), Label1->fontMetrics().height()));
  int status_right = 0;
  for (const auto& line : status_lines) {
    const int width = std::max(TwipsToPixels(line.designedWidth),
                               WidthToShow(*line.label, {line.caption, line.widest}));
    line.label->setFixedSize(width, line.label->height());
    status_right = std::max(status_right, line.label->x() + width);
  }

  const int button_width =
      std::max({TwipsToPixels(kClearCommand.width),
                ButtonWidthToShow(*StartStopCommand, {tr("Start"), tr("Stop")}),
                ButtonWidthToShow(*ClearCommand, {tr("Reset")})});
  const int buttons_right = TwipsToPixels(kButtonsRightMargin);
  int width = std::max(TwipsToPixels(kClientWidth), status_right + TwipsToPixels(kStatusToButtons) +
                                                        button_width + buttons_right);
  // The frame's caption never widens the window: a long file name gives way in
  // its middle (ShowFrameCaption).
  const int frame_margins = ProgressFrame->x() + TwipsToPixels(kFrameRightMargin);
  for (const QString& caption : {tr("No file loaded"), tr("Loading %1").arg(QString())}) {
    ProgressFrame->setTitle(caption);
    width = std::max(width, frame_margins + ProgressFrame->minimumSizeHint().width());
  }

  const int button_left = width - buttons_right - button_width;
  for (QPushButton* button : {ClearCommand, StartStopCommand}) {
    button->setGeometry(button_left, button->y(), button_width, button->height());
  }
  const int frame_width = width - ProgressFrame->x() - TwipsToPixels(kFrameRightMargin);
  ProgressFrame->setFixedSize(frame_width, ProgressFrame->height());
  ProgressBar1->setFixedSize(frame_width - ProgressBar1->x() - TwipsToPixels(kBarRightMargin),
                             ProgressBar1->height());
  centralWidget()->setFixedSize(width, TwipsToPixels(kClientHeight));
  ShowFrameCaption();
}

void Main::ShowFrameCaption() {
  const QString whole = FrameCaption(loadingFile_);
  ProgressFrame->setToolTip(loadingFile_.isEmpty() ? QString() : whole);
  ProgressFrame->setAccessibleDescription(loadingFile_.isEmpty() ? QString() : whole);
  // A frame's title reads "&" as an access key; a file name means it literally.
  const auto title = [](const QString& caption) { return QString(caption).replace('&', "&&"); };
  if (loadingFile_.isEmpty()) {
    ProgressFrame->setTitle(title(whole));
    return;
  }
  // What the frame's title has room for once "Loading " and the frame's own
  // edges are drawn: the name, shortened in its middle where it is longer.
  ProgressFrame->setTitle(title(FrameCaption(QString())));
  const int room = ProgressFrame->width() - ProgressFrame->minimumSizeHint().width();
  const QString shown = ProgressFrame->fontMetrics().elidedText(
      QDir::toNativeSeparators(loadingFile_), Qt::ElideMiddle, std::max(room, 0));
  ProgressFrame->setTitle(title(FrameCaption(shown)));
}

void Main::CreateMenus() {
  // A checkable action flips its own mark when chosen; the handlers alone decide
  // the marks, so the flip is undone before the handler runs.
  const auto connect_entry = [this](QAction* action, void (Main::*handler)()) {
    connect(action, &QAction::triggered, this, [this, action, handler](bool checked) {
      if (action->isCheckable()) action->setChecked(!checked);
      (this->*handler)();
    });
  };
  const auto add_entry = [this](QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
  };

  FileMenu = menuBar()->addMenu(tr("&File"));
  FileMenu->setObjectName("FileMenu");
  AnalyzeFile = add_entry(FileMenu, "AnalyzeFile", tr("&Analyze File"));
  AnalyzeFile->setCheckable(true);
  VirtualPeopleMenu = add_entry(FileMenu, "VirtualPeopleMenu", tr("Ask &Virtual People"));
  VirtualPeopleMenu->setCheckable(true);
  VirtualPeopleMenu->setChecked(true);
  FileMenu->addSeparator();
  ExitMenu = add_entry(FileMenu, "ExitMenu", tr("Exit"));

  // The one addition to the designed menus: the convergence chart, and the
  // same trials at full speed (off at every start: nothing of it is kept).
  ViewMenu = menuBar()->addMenu(tr("&View"));
  ViewMenu->setObjectName("ViewMenu");
  ConvergenceChartMenu = add_entry(ViewMenu, "ConvergenceChartMenu", tr("&Convergence Chart"));
  FullSpeedMenu = add_entry(ViewMenu, "FullSpeedMenu", tr("&Full Speed"));
  FullSpeedMenu->setCheckable(true);

  HelpMenu = menuBar()->addMenu(tr("&Help"));
  HelpMenu->setObjectName("HelpMenu");
  StartHelp = add_entry(HelpMenu, "StartHelp", tr("What is the &point?"));
  AboutMenu = add_entry(HelpMenu, "AboutMenu", tr("&About Orvanel"));

  connect_entry(AnalyzeFile, &Main::AnalyzeFile_Click);
  connect_entry(VirtualPeopleMenu, &Main::VirtualPeopleMenu_Click);
  connect_entry(ExitMenu, &Main::ExitMenu_Click);
  connect_entry(ConvergenceChartMenu, &Main::ConvergenceChartMenu_Click);
  connect(FullSpeedMenu, &QAction::toggled, this, &Main::FullSpeedMenu_Toggled);
  connect_entry(StartHelp, &Main::StartHelp_Click);
  // F1 opens the help from anywhere in the window; the menu entry itself keeps
  // no shortcut of its own, as designed.
  auto* help_key = new QShortcut(QKeySequence::HelpContents, this);
  help_key->setObjectName("HelpKey");
  connect(help_key, &QShortcut::activated, this, &Main::StartHelp_Click);
  connect_entry(AboutMenu, &Main::AboutMenu_Click);
}

}  // namespace orvanel
