// The main window's controls and menus: where each sits and what it says.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <limits>

#include "main_window.h"
#include "twips.h"
#include "workspace_color.h"

namespace orvanel {
namespace {

constexpr int kClientWidth = 6315;
constexpr int kClientHeight = 2925;
// A status line may grow to the right up to here, just short of the buttons.
constexpr int kStatusRightEdge = 4800;

// The status labels keep their widths when the longest text they can show fits.
// A wider platform font would cut a long count off; the label then widens into
// the free space before the buttons instead. The size is fixed, so that a new text does not ask the
// window for a new layout.
void FitStatusLabel(QLabel& label, const QString& longest_text) {
  const int needed = label.fontMetrics().horizontalAdvance(longest_text) + 2;
  const int widest = TwipsToPixels(kStatusRightEdge) - label.x();
  label.setFixedSize(std::clamp(needed, label.width(), widest), label.height());
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  return label;
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
  Label1->setAccessibleName("pi");
  PlaceInTwips(*Label1, 120, 240, 375, 495);

  EstimateText = MakeLabel(client, "EstimateText", "is about");
  PlaceInTwips(*EstimateText, 600, 360, 2175, 375);
  TotalText = MakeLabel(client, "TotalText", "people asked");
  PlaceInTwips(*TotalText, 600, 600, 3015, 375);
  HitsText = MakeLabel(client, "HitsText", "hits found");
  PlaceInTwips(*HitsText, 600, 840, 3015, 375);
  constexpr auto kLowestCount = std::numeric_limits<std::int32_t>::min();
  FitStatusLabel(*EstimateText, EstimateLine(999999.9999));
  FitStatusLabel(*TotalText, TotalLine(kLowestCount));
  FitStatusLabel(*HitsText, HitsLine(kLowestCount));

  ClearCommand = MakeButton(client, "ClearCommand", "Reset");
  PlaceInTwips(*ClearCommand, 4920, 360, 855, 375);
  ClearCommand->setEnabled(false);
  connect(ClearCommand, &QPushButton::clicked, this, &Main::ClearCommand_Click);

  StartStopCommand = MakeButton(client, "StartStopCommand", "Stop");
  PlaceInTwips(*StartStopCommand, 4920, 960, 855, 375);
  connect(StartStopCommand, &QPushButton::clicked, this, &Main::StartStopCommand_Click);

  ProgressFrame = new QGroupBox("No file loaded", client);
  ProgressFrame->setObjectName("ProgressFrame");
  ProgressFrame->setAutoFillBackground(true);
  ProgressFrame->setFocusPolicy(Qt::NoFocus);
  PlaceInTwips(*ProgressFrame, 120, 1680, 5775, 735);
  ProgressFrame->setEnabled(false);

  ProgressBar1 = new QProgressBar(ProgressFrame);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, kProgressMaximum);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  PlaceInTwips(*ProgressBar1, 240, 360, 5415, 255);

  setTabOrder(ClearCommand, StartStopCommand);
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

  FileMenu = menuBar()->addMenu("&File");
  FileMenu->setObjectName("FileMenu");
  AnalyzeFile = add_entry(FileMenu, "AnalyzeFile", "&Analyze File");
  AnalyzeFile->setCheckable(true);
  VirtualPeopleMenu = add_entry(FileMenu, "VirtualPeopleMenu", "Ask &Virtual People");
  VirtualPeopleMenu->setCheckable(true);
  VirtualPeopleMenu->setChecked(true);
  FileMenu->addSeparator();
  ExitMenu = add_entry(FileMenu, "ExitMenu", "Exit");

  HelpMenu = menuBar()->addMenu("&Help");
  HelpMenu->setObjectName("HelpMenu");
  StartHelp = add_entry(HelpMenu, "StartHelp", "What is the &point?");
  AboutMenu = add_entry(HelpMenu, "AboutMenu", "&About Orvanel");

  connect_entry(AnalyzeFile, &Main::AnalyzeFile_Click);
  connect_entry(VirtualPeopleMenu, &Main::VirtualPeopleMenu_Click);
  connect_entry(ExitMenu, &Main::ExitMenu_Click);
  connect_entry(StartHelp, &Main::StartHelp_Click);
  connect_entry(AboutMenu, &Main::AboutMenu_Click);
}

}  // namespace orvanel
