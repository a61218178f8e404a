#include "main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include <exception>
#include <utility>

#include "about_play.h"
#include "convergence_window.h"
#include "errors.h"
#include "messages.h"
#include "saved_history.h"
#include "tick_timer.h"

namespace orvanel {

Main::Main(PlatformServices services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      selFile_(*services_.openDialog),
      estimator_(*this, *services_.generator, services_.openPairFile),
      reporter_(*services_.messenger),
      saver_(*services_.settingsStore, reporter_) {
  setObjectName("Main");
  setWindowTitle(tr("Orvanel"));
  setWindowIcon(QIcon(":/orvanel/orvanel.png"));
  CreateControls();
  CreateMenus();
  statusLines_ =
      std::make_unique<StatusLines>(*EstimateText, *TotalText, *HitsText, *services_.clock);
  statusLines_->OnShown([this](const StatusFigures& figures) { RecordShown(figures); });

  // Trials begin without any click: the timer runs from the start.
  Timer1 = new TickTimer(*services_.clock, this);
  Timer1->setObjectName("Timer1");
  connect(Timer1, &TickTimer::timeout, this, &Main::Timer1_Timer);
  connect(Timer1, &TickTimer::ranDueTicks, this, &Main::AfterDueTicks);
  Timer1->start();
  StartStopCommand->setFocus();
}

Main::~Main() = default;

template <typename Handler>
void Main::Guarded(Handler&& handler) {
  try {
    handler();
  } catch (const FileOpenError& error) {
    // A file that cannot be opened changes nothing, the running trials included.
    reporter_.Tell(this, ErrorText(error));
  } catch (const std::exception& error) {
    ReportError(ErrorText(error));
  }
}

// An error of the experiment stops the trials (so a count at its limit is
// reported once, not every millisecond, and Reset becomes available); what was
// counted stays counted.
void Main::ReportError(const QString& sentence) {
  if (Timer1->isActive()) StartStopCommand_Click();
  reporter_.Tell(this, sentence);
}

void Main::Form_Load() {
  Guarded([this] {
    services_.generator->SeedFromClock();
    estimator_.UseRandomPairs();
    const LoadedHistory loaded = LoadHistory(*services_.settingsStore);
    estimator_.Restore(loaded.tally);
    record_.Restart();
    record_.Add(loaded.tally.Total, loaded.tally.Estimate);
    const QString problem =
        LoadProblemText(loaded, QString::fromStdString(services_.settingsStore->Location()));
    if (problem.isEmpty()) return;
    // An estimate alone is replaced by the next one anyway; a tally that starts
    // from zero, or lines the next save drops, are news the user must see, in a
    // message that belongs to the window once it is on screen.
    reporter_.Tell(this, problem,
                   LoadProblemNeedsTelling(loaded) ? Reporter::Attendance::kOnceOnScreen
                                                   : Reporter::Attendance::kNobodyWatching);
  });
}

void Main::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // After the showing has run its course, so that the message has a window on
  // screen to belong to.
  QTimer::singleShot(0, this, [this] { reporter_.TellHeldBack(); });
}

void Main::Form_Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  // The window goes away with its timer: no trial may be counted after the save.
  Timer1->stop();
  saver_.Save(Tally(),
              unattended_ ? TallySaver::Attendance::kNobodyWatching
                          : TallySaver::Attendance::kPersonPresent,
              this);
}

void Main::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

bool Main::SaveForSessionEnd() {
  saver_.Save(Tally(), TallySaver::Attendance::kNobodyWatching, this);
  return saver_.ExitStatus() == 0;
}

void Main::SaveOnQuit() {
  saver_.Save(Tally(), TallySaver::Attendance::kNobodyWatching, this);
}

void Main::CloseUnattended() {
  unattended_ = true;
  if (unloaded_) {
    SaveOnQuit();
  } else {
    close();
  }
}

void Main::UpdateCaptions(const StatusFigures& figures) {
  if (inTick_) {
    statusLines_->Note(figures);
  } else {
    statusLines_->Show(figures);
  }
}

void Main::Timer1_Timer() {
  inTick_ = true;
  Guarded([this] { estimator_.Tick(); });
  inTick_ = false;
}

void Main::AfterDueTicks() {
  if (Timer1->isActive()) {
    statusLines_->ShowNotedWhenDue();
  } else {
    statusLines_->ShowNoted();
  }
}

void Main::StartStopCommand_Click() {
  if (Timer1->isActive()) {
    Timer1->stop();
    statusLines_->ShowNoted();  // the last figures of the run, before anything else
    if (chartPending_) RefreshChart();
    StartStopCommand->setText(tr("Start"));
    ClearCommand->setEnabled(true);
  } else {
    Timer1->start();
    StartStopCommand->setText(tr("Stop"));
    ClearCommand->setEnabled(false);
  }
}

void Main::ClearCommand_Click() {
  record_.Restart();
  Guarded([this] { estimator_.Reset(); });
}

void Main::AnalyzeFile_Click() {
  Guarded([this] { estimator_.AnalyzeFile(); });
}

void Main::VirtualPeopleMenu_Click() {
  Guarded([this] { estimator_.UseRandomPairs(); });
}

void Main::ExitMenu_Click() {
  close();
}

void Main::StartHelp_Click() {
  services_.helpViewer->ShowContents(this);
}

void Main::ConvergenceChartMenu_Click() {
  if (!chart_) chart_ = new ConvergenceWindow(*services_.saveDialog, reporter_, this);
  RefreshChart();
  chart_->show();
  chart_->raise();
  chart_->activateWindow();
}

// Each drawing of the status lines is a point of the record, kept whether or not
// the chart is open. A chart on screen follows at most every
// kChartRefreshInterval while trials run (the figures come about twenty times a
// second) and at once otherwise.
void Main::RecordShown(const StatusFigures& figures) {
  shownFigures_ = figures;
  record_.Add(figures.total, figures.estimate);
  if (!chart_ || !chart_->isVisible()) return;
  chartPending_ = true;
  const bool due = services_.clock->Now() - lastChartRefresh_ >= kChartRefreshInterval;
  if (due || !Timer1->isActive()) RefreshChart();
}

void Main::RefreshChart() {
  chartPending_ = false;
  lastChartRefresh_ = services_.clock->Now();
  if (chart_) chart_->Refresh(record_, shownFigures_);
}

void Main::AboutMenu_Click() {
  AboutPlay about(this);
  about.exec();
}

void Main::SetProgressValue(int value) {
  ProgressBar1->setValue(value);
}

void Main::SetAnalyzeFileChecked(bool checked) {
  AnalyzeFile->setChecked(checked);
}

void Main::SetVirtualPeopleChecked(bool checked) {
  VirtualPeopleMenu->setChecked(checked);
}

void Main::SetProgressFrameEnabled(bool enabled) {
  ProgressFrame->setEnabled(enabled);
}

void Main::SetProgressFrameFileName(const std::string& file_name) {
  loadingFile_ = QString::fromStdString(file_name);
  FitToTexts();
  record_.Restart();  // the tally starts from zero with the file
  RefreshChart();
}

QString Main::FrameCaption(const QString& file_name) const {
  if (loadingFile_.isEmpty()) return tr("No file loaded");
  // A frame's title reads "&" as an access key; a file name means it literally.
  return tr("Loading %1").arg(QString(file_name).replace('&', "&&"));
}

bool Main::TrialsRunning() const {
  return Timer1->isActive();
}

void Main::ToggleRunning() {
  StartStopCommand_Click();
}

std::optional<std::string> Main::ChoosePairFile() {
  if (!selFile_.ShowOpen(this)) return std::nullopt;
  return selFile_.FileName.toStdString();
}

}  // namespace orvanel
