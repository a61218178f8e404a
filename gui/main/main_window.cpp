#include "main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>

#include <exception>
#include <utility>

#include "estimator/errors.h"
#include "gui/chart/convergence_window.h"
#include "gui/chart/image_writes.h"
#include "gui/messages/messages.h"
#include "gui/widgets/about_play.h"
#include "gui/widgets/app_icon.h"
#include "gui/widgets/placement.h"
#include "history/saved_history.h"
#include "tick_timer.h"

namespace orvanel {
namespace {

// How often the window's thread looks at a pair file being opened.
constexpr int kOpeningLookMilliseconds = 25;

// How long the start waits for the chart's record: it is only drawn, and a
// record not read in time means only a chart that begins at the loaded tally.
constexpr std::chrono::milliseconds kRecordPatience{1500};

}  // namespace

Main::Main(PlatformServices services, QWidget* parent)
    : QMainWindow(parent),
      services_(std::move(services)),
      selFile_(*services_.openDialog),
      estimator_(*this, *services_.generator, services_.openPairFile),
      reporter_(*services_.messenger),
      recordFile_(services_.recordPath),
      saver_(new TallySaver(
          *services_.settingsStore, reporter_, *services_.clock,
          [this] { return estimator_.Tally(); }, this)) {
  setObjectName("Main");
  setWindowTitle(tr("Orvanel"));
  setWindowIcon(OrvanelIcon());
  CreateControls();
  CreateMenus();
  statusLines_ = std::make_unique<StatusLines>(*EstimateText, *TotalText, *HitsText);
  presenter_ = std::make_unique<Presenter>(*statusLines_, *services_.clock);
  saver_->KeepRecord(recordFile_, [this](const TrialTally& tally) {
    return RecordUpTo(presenter_->Record(), tally.Total, tally.Estimate);
  });

  // Trials begin without any click: the timer runs from the start.
  Timer1 = new TickTimer(*services_.clock, this);
  Timer1->setObjectName("Timer1");
  connect(Timer1, &TickTimer::timeout, this, &Main::Timer1_Timer);
  connect(Timer1, &TickTimer::aboutToRunTicks, this, &Main::BeforeTicks);
  connect(Timer1, &TickTimer::ranDueTicks, this, &Main::AfterTicks);
  // At full speed, ticks of random pairs run at once on every core.
  if (services_.fullSpeedThreads > 0) estimator_.UseWorkers(services_.fullSpeedThreads);
  Timer1->RunAtOnceWith([this](std::int64_t ticks) {
    std::int64_t ran = 0;
    Guarded([this, ticks, &ran] { ran = estimator_.RunTicksAtOnce(ticks); });
    return ran;
  });
  Timer1->start();
  images_ = new ImageWrites(reporter_, *this, services_.writeImage);
  openingLook_ = new QTimer(this);
  openingLook_->setInterval(kOpeningLookMilliseconds);
  connect(openingLook_, &QTimer::timeout, this,
          [this] { Guarded([this] { estimator_.LookAtOpening(); }); });
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
  } catch (const ArithmeticError& error) {
    if (error.Why() != Fault::kLimitReached) {
      ReportError(ErrorText(error));
      return;
    }
    // No trial can be counted any more: Start would only meet the limit again,
    // until Reset (or a pair file) starts a new tally. Stopping saves it. The
    // tally is shown as it stands: one loaded at the limit has shown nothing yet.
    presenter_->Take(MakeStatusFigures(estimator_.Tally()));
    if (Timer1->isActive()) StartStopCommand_Click();
    StartStopCommand->setEnabled(false);
    reporter_.Tell(this, ErrorText(error), Reporter::Attendance::kPersonPresent,
                   Reporter::Kind::kNotice);
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
    if (!loaded.StartedFromZero()) saver_->Loaded(loaded.tally);
    presenter_->ContinueRecord(
        CarriedRecord(recordFile_.Load(kRecordPatience), loaded.tally.Total, loaded.tally.Estimate),
        MakeStatusFigures(loaded.tally));
    const QString problem =
        LoadProblemText(loaded, QString::fromStdString(services_.settingsStore->Location()));
    if (problem.isEmpty()) return;
    // An estimate alone is replaced by the next one anyway; a tally that starts
    // from zero, lines the next save drops, or a tally that cannot be saved are
    // news the user must see, in a message that belongs to the window once it
    // is on screen.
    reporter_.Tell(this, problem,
                   LoadProblemNeedsTelling(loaded) ? Reporter::Attendance::kOnceOnScreen
                                                   : Reporter::Attendance::kNobodyWatching,
                   LoadProblemLoses(loaded) ? Reporter::Kind::kWarning : Reporter::Kind::kNotice);
  });
}

void Main::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // After the showing has run its course, so that the message has a window on
  // screen to belong to.
  QTimer::singleShot(0, this, [this] { reporter_.TellHeldBack(); });
}

bool Main::Form_Unload(Reporter::Attendance attendance) {
  if (unloading_) return false;
  unloading_ = true;
  struct Unloaded {
    bool& unloading;
    ~Unloaded() { unloading = false; }
  } unloaded{unloading_};
  // The window goes away with its timer: no trial may be counted after the save.
  const bool was_running = Timer1->isActive();
  Timer1->stop();
  // The window goes: an image still being written has a last chance.
  const auto leave = [this] {
    images_->FinishBeforeTheEnd(kSavePatienceUnattended);
    return true;
  };
  while (true) {
    if (nobodyNow_) attendance = Reporter::Attendance::kNobodyWatching;
    const std::optional<QString> failure = saver_->Save(attendance);
    if (!failure || attendance != Reporter::Attendance::kPersonPresent) return leave();
    // A person is there, and the run would be lost: theirs is the choice.
    const Messenger::SaveChoice choice = reporter_.AskAfterFailedSave(this, *failure);
    // The program is to end meanwhile, and nobody may answer: once more, unattended.
    if (nobodyNow_) continue;
    switch (choice) {
      case Messenger::SaveChoice::kRetry:
        continue;
      case Messenger::SaveChoice::kQuitWithoutSaving:
        return leave();
      case Messenger::SaveChoice::kCancel:
        if (was_running) Timer1->start();
        return false;
    }
  }
}

void Main::closeEvent(QCloseEvent* event) {
  if (!left_) left_ = Form_Unload(Reporter::Attendance::kPersonPresent);
  event->setAccepted(left_);
}

void Main::LeaveUnattended() {
  nobodyNow_ = true;
  // Inside the unload, its question ends with the event loops, and the unload
  // itself goes on as one on which nobody may be present.
  if (left_ || unloading_) return;
  left_ = Form_Unload(Reporter::Attendance::kNobodyWatching);
  close();
}

bool Main::SaveForSessionEnd() {
  return !saver_->Save(Reporter::Attendance::kNobodyWatching);
}

void Main::UpdateCaptions(const StatusFigures& figures) {
  presenter_->Take(figures);
}

void Main::BeforeTicks() {
  estimator_.BeginRun();
  presenter_->BeginRun();
}

void Main::Timer1_Timer() {
  Guarded([this] { estimator_.Tick(); });
}

void Main::AfterTicks() {
  estimator_.EndRun();
  presenter_->EndRun(Timer1->isActive());
  saver_->Note();
}

void Main::StartStopCommand_Click() {
  if (Timer1->isActive()) {
    Timer1->stop();
    presenter_->DrawNoted();  // the last figures of the run, before anything else
    StartStopCommand->setText(tr("Start"));
    ClearCommand->setEnabled(true);
    saver_->CheckpointSoon();
  } else {
    Timer1->start();
    StartStopCommand->setText(tr("Stop"));
    ClearCommand->setEnabled(false);
  }
}

void Main::ClearCommand_Click() {
  presenter_->RestartRecord();
  Guarded([this] { estimator_.Reset(); });
  StartStopCommand->setEnabled(true);  // a new tally, far from any limit
  saver_->Note();
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
  if (!chart_) {
    chart_ = new ConvergenceWindow(*services_.saveDialog, *images_, this);
    MoveBeside(*chart_, *this);
    // F1 opens the help from the chart's window as from the main one.
    auto* help_key = new QShortcut(QKeySequence::HelpContents, chart_);
    connect(help_key, &QShortcut::activated, this, &Main::StartHelp_Click);
  }
  chart_->show();
  chart_->raise();
  chart_->activateWindow();
  presenter_->Follow(chart_);
}

void Main::FullSpeedMenu_Toggled(bool on) {
  Timer1->SetFullSpeed(on);
}

void Main::AboutMenu_Click() {
  AboutPlay about(this);
  about.exec();
}

void Main::SetProgressValue(int value) {
  ProgressBar1->setRange(0, kProgressMaximum);
  ProgressBar1->setValue(value);
}

// A busy bar: the file's size says nothing of how far the reading has come.
void Main::SetProgressUnknown() {
  ProgressBar1->setRange(0, 0);
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
  ShowFrameCaption();
  ProgressBar1->setTextVisible(true);
  presenter_->RestartRecord();         // the tally starts from zero with the file
  StartStopCommand->setEnabled(true);  // far from any limit
  saver_->CheckpointSoon();
}

void Main::FileHeldNoPair(std::int64_t bytes) {
  presenter_->DrawNoted();  // the tally the file left, under the message
  reporter_.Tell(this, NoCompletePairText(loadingFile_, bytes),
                 Reporter::Attendance::kPersonPresent, Reporter::Kind::kNotice);
}

QString Main::FrameCaption(const QString& file_name) const {
  if (loadingFile_.isEmpty()) return tr("No file loaded");
  return tr("Loading %1").arg(QDir::toNativeSeparators(file_name));
}

bool Main::TrialsRunning() const {
  return Timer1->isActive();
}

void Main::ToggleRunning() {
  StartStopCommand_Click();
}

// The window stays answerable while the file system opens the file; the
// pointer says that work goes on in the background.
void Main::OpeningPairFile(bool opening) {
  if (opening) {
    setCursor(Qt::BusyCursor);
    openingLook_->start();
  } else {
    unsetCursor();
    openingLook_->stop();
  }
}

std::optional<std::string> Main::ChoosePairFile() {
  if (!selFile_.ShowOpen(this)) return std::nullopt;
  return selFile_.FileName.toStdString();
}

}  // namespace orvanel
