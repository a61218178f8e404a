#include "main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include <chrono>

#include <algorithm>
#include <exception>
#include <iostream>
#include <utility>

#include "about_play.h"
#include "errors.h"
#include "help_document.h"
#include "saved_history.h"
#include "twips.h"
#include "workspace_color.h"

namespace orvanel {
namespace {

constexpr int kClientWidth = 6315;
constexpr int kClientHeight = 2925;
// A status line may grow to the right up to here, just short of the buttons.
constexpr int kStatusRightEdge = 4800;

// The status labels keep their designed widths when the longest text they can
// show fits. A platform font wider than the one the layout was drawn for would
// cut a long count off; the label then widens into the free space before the
// buttons instead. Measured once, so that redrawing stays cheap.
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

Main::Main(PlatformServices services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      selFile_(*services_.openDialog, *services_.helpViewer),
      estimator_(*this, *services_.generator) {
  setObjectName("Main");
  setWindowTitle("Orvanel");
  setWindowIcon(QIcon(":/orvanel/orvanel.png"));
  CreateControls();
  CreateMenus();

  // Trials begin without any click: the timer runs from the start.
  Timer1 = new TickTimer(*services_.clock, this);
  Timer1->setObjectName("Timer1");
  connect(Timer1, &TickTimer::timeout, this, &Main::Timer1_Timer);
  connect(Timer1, &TickTimer::ranDueTicks, this, &Main::ShowStatusLinesWhenDue);
  Timer1->start();
  StartStopCommand->setFocus();
  decimalSeparator_ = QLocale().decimalPoint().toStdString();
}

Main::~Main() = default;

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

  // "P" in the Symbol font: the Greek capital letter pi.
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
  FitStatusLabel(*EstimateText, "is about 000000.0000");
  FitStatusLabel(*TotalText, " based on -2147483648 virtual people asked");
  FitStatusLabel(*HitsText, "and -2147483648 guesses being relatively prime");

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
  ProgressBar1->setRange(0, 100);
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
  dash1 = FileMenu->addSeparator();
  dash1->setObjectName("dash1");
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

template <typename Handler>
void Main::Guarded(Handler&& handler) {
  try {
    handler();
  } catch (const FileOpenError& error) {
    // A file that cannot be opened changes nothing, the running trials included.
    services_.messenger->ShowError(this, QString::fromUtf8(error.what()));
  } catch (const std::exception& error) {
    ReportError(QString::fromUtf8(error.what()));
  }
}

// An error of the experiment stops the trials (so a count at its limit is
// reported once, not every millisecond, and Reset becomes available); what was
// counted stays counted.
void Main::ReportError(const QString& sentence) {
  if (Timer1->isActive()) StartStopCommand_Click();
  services_.messenger->ShowError(this, sentence);
}

namespace {

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

// One sentence for what could not be used of the saved tally, or nothing when
// there is nothing to say.
QString LoadProblemSentence(const LoadedHistory& loaded, const QString& location) {
  if (loaded.storeDamaged) {
    return QStringLiteral("The saved tally could not be read from %1: the file is damaged. "
                          "The tally starts again from zero.")
        .arg(location);
  }
  if (loaded.unusableCount) {
    return QStringLiteral("The saved %1 \"%2\" in %3 cannot be used, so the tally starts again "
                          "from zero.")
        .arg(FromUtf8(loaded.unusableCount->key), FromUtf8(loaded.unusableCount->text), location);
  }
  if (loaded.unusableEstimate) {
    return QStringLiteral("The saved Estimate \"%1\" in %2 cannot be used and starts again at 0.")
        .arg(FromUtf8(loaded.unusableEstimate->text), location);
  }
  return {};
}

void WriteToStandardError(const QString& sentence) {
  std::cerr << "Orvanel: " << sentence.toStdString() << std::endl;
}

}  // namespace

void Main::Form_Load() {
  Guarded([this] {
    estimator_.SeedGenerator();
    estimator_.StartWithRandomPairs();
    const LoadedHistory loaded = LoadHistory(*services_.settingsStore);
    estimator_.Tally() = loaded.tally;
    const QString problem =
        LoadProblemSentence(loaded, FromUtf8(services_.settingsStore->Location()));
    if (problem.isEmpty()) return;
    WriteToStandardError(problem);
    // An estimate alone is replaced by the next one anyway; a tally that starts
    // from zero is news the user must see.
    if (loaded.StartedFromZero()) loadProblem_ = problem;
  });
}

void Main::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Told once the window is on screen, so that the message has a window to belong to.
  if (!loadProblem_.isEmpty()) QTimer::singleShot(0, this, &Main::TellLoadProblem);
}

void Main::TellLoadProblem() {
  const QString problem = std::exchange(loadProblem_, QString());
  if (!problem.isEmpty()) services_.messenger->ShowError(this, problem);
}

void Main::Form_Unload(std::int16_t& Cancel) {
  (void)Cancel;
  if (unloaded_) return;
  unloaded_ = true;
  // The window goes away with its timer: no trial may be counted after the save.
  Timer1->stop();
  SaveTally(unattended_ ? Attendance::kNobodyWatching : Attendance::kPersonPresent);
}

void Main::SaveForSessionEnd() { SaveTally(Attendance::kNobodyWatching); }

void Main::SaveOnQuit() { SaveTally(Attendance::kNobodyWatching); }

void Main::CloseUnattended() {
  unattended_ = true;
  if (unloaded_) {
    SaveTally(Attendance::kNobodyWatching);
  } else {
    close();
  }
}

// A save that would write what the last one wrote is skipped, unless the last
// one failed and a person is there to hear how the new attempt goes; repeating a
// failure to nobody would only repeat its line on stderr.
void Main::SaveTally(Attendance attendance) {
  const TrialTally& tally = estimator_.Tally();
  if (lastAttempt_ == tally && (!lastSaveFailed_ || attendance == Attendance::kNobodyWatching)) {
    return;
  }
  lastAttempt_ = tally;
  try {
    SaveHistory(*services_.settingsStore, tally);
    lastSaveFailed_ = false;
  } catch (const std::exception& error) {
    lastSaveFailed_ = true;
    const QString sentence = QString::fromUtf8(error.what());
    WriteToStandardError(sentence);
    if (attendance == Attendance::kPersonPresent) services_.messenger->ShowError(this, sentence);
  }
}

void Main::closeEvent(QCloseEvent* event) {
  std::int16_t cancel = 0;
  Form_Unload(cancel);
  if (cancel != 0) {
    event->ignore();
    return;
  }
  event->accept();
}

// A tick may ask for the status lines four times, and a wake-up runs many
// ticks; nobody can read them that often, and drawing is what costs. So during
// ticks the window only notes the tally to show, and draws it once the run is
// over, at most every kStatusRedrawInterval while the trials run (and at once
// when they stop). Outside ticks (Reset) it draws at once.
void Main::UpdateCaptions() {
  shownTally_ = estimator_.Tally();
  statusPending_ = true;
  if (!inTick_) ShowStatusLines();
}

void Main::ShowStatusLinesWhenDue() {
  if (!statusPending_) return;
  const bool due = services_.clock->Now() - lastStatusDraw_ >= kStatusRedrawInterval;
  if (due || !Timer1->isActive()) ShowStatusLines();
}

void Main::ShowStatusLines() {
  statusPending_ = false;
  lastStatusDraw_ = services_.clock->Now();
  Guarded([this] {
    const StatusTexts texts = MakeStatusTexts(shownTally_, decimalSeparator_);
    // Only a label whose text changed is repainted.
    for (const auto& [label, text] : {std::pair{EstimateText, &texts.estimate},
                                      std::pair{TotalText, &texts.total},
                                      std::pair{HitsText, &texts.hits}}) {
      const QString shown = QString::fromStdString(*text);
      if (label->text() != shown) label->setText(shown);
    }
  });
}

void Main::Timer1_Timer() {
  inTick_ = true;
  Guarded([this] { estimator_.Timer1_Timer(); });
  inTick_ = false;
}

void Main::StartStopCommand_Click() {
  if (Timer1->isActive()) {
    Timer1->stop();
    if (statusPending_) ShowStatusLines();  // the last texts of the run, before anything else
    StartStopCommand->setText("Start");
    ClearCommand->setEnabled(true);
  } else {
    Timer1->start();
    StartStopCommand->setText("Stop");
    ClearCommand->setEnabled(false);
  }
}

void Main::ClearCommand_Click() {
  Guarded([this] { estimator_.ClearCommand_Click(); });
}

void Main::AnalyzeFile_Click() {
  Guarded([this] { estimator_.AnalyzeFile_Click(); });
}

void Main::VirtualPeopleMenu_Click() {
  Guarded([this] { estimator_.VirtualPeopleMenu_Click(); });
}

void Main::ExitMenu_Click() { close(); }

void Main::StartHelp_Click() {
  selFile_.HelpFile = "Orvanel.hlp";
  selFile_.HelpCommand = kHelpContents;
  Guarded([this] { selFile_.ShowHelp(this); });
}

void Main::AboutMenu_Click() {
  AboutPlay about(this);
  about.exec();
}

void Main::SetProgressValue(int value) { ProgressBar1->setValue(value); }

int Main::ProgressMaximum() const { return ProgressBar1->maximum(); }

void Main::SetAnalyzeFileChecked(bool checked) { AnalyzeFile->setChecked(checked); }

void Main::SetVirtualPeopleChecked(bool checked) { VirtualPeopleMenu->setChecked(checked); }

void Main::SetProgressFrameEnabled(bool enabled) { ProgressFrame->setEnabled(enabled); }

void Main::SetProgressFrameCaption(const std::string& caption) {
  // A frame's title reads "&" as an access key; a file name means it literally.
  ProgressFrame->setTitle(QString::fromStdString(caption).replace('&', "&&"));
}

bool Main::TrialsRunning() const { return Timer1->isActive(); }

void Main::ToggleRunning() { StartStopCommand_Click(); }

std::optional<std::string> Main::ChoosePairFile() {
  if (!selFile_.ShowOpen(this)) return std::nullopt;
  return selFile_.FileName.toStdString();
}

}  // namespace orvanel
