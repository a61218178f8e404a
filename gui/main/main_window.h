#pragma once

// The main window: every control, the menus and the handlers. It owns the
// estimator and forwards its handlers to it; the estimator sees the window only
// as a FrontEnd, through which it hands down what to show. Errors that leave a
// handler are caught in one place (Guarded) and told through the Reporter.

#include <QMainWindow>

#include <memory>
#include <optional>
#include <string>

#include <QPointer>

#include "estimator/estimator.h"
#include "estimator/front_end.h"
#include "gui/messages/reporter.h"
#include "gui/platform/platform_services.h"
#include "history/record_file.h"
#include "presenter.h"
#include "sel_file.h"
#include "status_lines.h"
#include "tally_saver.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTimer;

namespace orvanel {

class ConvergenceWindow;
class ImageWrites;
class TickTimer;

class Main final : public QMainWindow, private FrontEnd {
  Q_OBJECT

 public:
  explicit Main(PlatformServices services, QWidget* parent = nullptr);
  ~Main() override;

  // Runs once, before the window is first shown: seeds the generator, starts
  // with random pairs and continues the saved tally. A tally that could not be
  // used is reported once the window is on screen.
  void Form_Load();
  // The ways out. A person's close (the close button, Exit, a close another
  // program sends) is the window's own close (closeEvent). A way out on which
  // nobody may be present (a signal, the session manager's Die, the
  // application's quit) is this: the window unloads, saving the tally without
  // asking anybody, and closes. During the question after a failed save, the
  // question ends unanswered and the save is tried once more, unattended.
  // Either way the window unloads once. Nothing once it has gone.
  void LeaveUnattended();
  // The desktop session is ending, or asks to (it may still be cancelled): saves
  // the tally as it is now, without waiting for anybody, and changes nothing
  // else. True when the save held.
  [[nodiscard]] bool SaveForSessionEnd();
  // 0 when the last save succeeded, 1 when it failed.
  [[nodiscard]] int ExitStatus() const { return saver_->ExitStatus(); }

  // The tally as it stands.
  [[nodiscard]] const TrialTally& Tally() const { return estimator_.Tally(); }
  // Whether a chosen pair file is still being opened.
  [[nodiscard]] bool FileBeingOpened() const { return estimator_.OpeningFile(); }

  // The three status lines are to show these figures: drawn at once outside a
  // run of ticks, noted during one and drawn once it is over (presenter.h).
  void UpdateCaptions(const StatusFigures& figures) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void CreateMenus();
  void FitToTexts();
  // The progress frame's caption: "Loading " and the file's name, shortened in
  // its middle to the frame's width; the whole of it in the tooltip and for
  // screen readers.
  void ShowFrameCaption();
  [[nodiscard]] QString FrameCaption(const QString& file_name) const;

  void AboutMenu_Click();
  void ConvergenceChartMenu_Click();
  void FullSpeedMenu_Toggled(bool on);
  void AnalyzeFile_Click();
  void ClearCommand_Click();
  void ExitMenu_Click();
  void StartHelp_Click();
  void StartStopCommand_Click();
  void Timer1_Timer();
  void VirtualPeopleMenu_Click();

  void BeforeTicks();
  void AfterTicks();

  // Stops the trials and saves the tally, waiting and asking as `attendance`
  // allows. A failed save is told on stderr, and a person who is there chooses
  // to try again, to leave without it, or to stay. True when the window may go.
  [[nodiscard]] bool Form_Unload(Reporter::Attendance attendance);

  // Runs a handler; an error that leaves it stops the trials and is shown.
  template <typename Handler>
  void Guarded(Handler&& handler);
  void ReportError(const QString& sentence);

  // FrontEnd
  void SetProgressValue(int value) override;
  void SetAnalyzeFileChecked(bool checked) override;
  void SetVirtualPeopleChecked(bool checked) override;
  void SetProgressFrameEnabled(bool enabled) override;
  void SetProgressFrameFileName(const std::string& file_name) override;
  [[nodiscard]] bool TrialsRunning() const override;
  void ToggleRunning() override;
  [[nodiscard]] std::optional<std::string> ChoosePairFile() override;
  void OpeningPairFile(bool opening) override;
  void FileHeldNoPair(std::int64_t bytes) override;
  void SetProgressUnknown() override;

  PlatformServices services_;
  SelFile selFile_;
  Estimator estimator_;
  Reporter reporter_;
  RecordFile recordFile_;  // the chart's record, beside the tally
  TallySaver* saver_;
  std::unique_ptr<StatusLines> statusLines_;
  std::unique_ptr<Presenter> presenter_;
  QPointer<ConvergenceWindow> chart_;
  ImageWrites* images_ = nullptr;
  QString loadingFile_;  // none until a file is chosen
  bool unloading_ = false;
  bool nobodyNow_ = false;  // a way out on which nobody may be present came meanwhile
  bool left_ = false;       // unloaded: the window goes

  QLabel* Label1 = nullptr;
  QLabel* EstimateText = nullptr;
  QLabel* TotalText = nullptr;
  QLabel* HitsText = nullptr;
  QPushButton* ClearCommand = nullptr;
  QPushButton* StartStopCommand = nullptr;
  QGroupBox* ProgressFrame = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  TickTimer* Timer1 = nullptr;
  QTimer* openingLook_ = nullptr;  // looks at a pair file being opened

  QMenu* FileMenu = nullptr;
  QAction* AnalyzeFile = nullptr;
  QAction* VirtualPeopleMenu = nullptr;
  QAction* ExitMenu = nullptr;
  QMenu* ViewMenu = nullptr;
  QAction* ConvergenceChartMenu = nullptr;
  QAction* FullSpeedMenu = nullptr;
  QMenu* HelpMenu = nullptr;
  QAction* StartHelp = nullptr;
  QAction* AboutMenu = nullptr;
};

}  // namespace orvanel
