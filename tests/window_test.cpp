#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <limits>
#include <string>
#include <tuple>

#include "about_play.h"
#include "help_document.h"
#include "support/temp_files.h"
#include "support/widgets.h"
#include "support/window_fakes.h"

namespace orvanel {
namespace {

using testing::Find;
using testing::WindowRig;

QAction* Action(QWidget& window, const char* name) { return Find<QAction>(window, name); }

QRect Twips(int left, int top, int width, int height) {
  return QRect(left / 15, top / 15, width / 15, height / 15);
}

class MainWindowTest : public ::testing::Test {
 protected:
  Main& window() { return *rig.window; }
  Estimator& estimator() { return MainWindowProbe::EstimatorOf(window()); }
  TickTimer* timer() { return Find<TickTimer>(window(), "Timer1"); }
  QPushButton* startStop() { return Find<QPushButton>(window(), "StartStopCommand"); }
  QPushButton* reset() { return Find<QPushButton>(window(), "ClearCommand"); }
  QString Text(const char* label) { return Find<QLabel>(window(), label)->text(); }
  WindowRig rig;
};

TEST_F(MainWindowTest, StartsRunningWithItsDesignedLayout) {
  EXPECT_EQ(window().windowTitle(), "Orvanel");
  EXPECT_EQ(window().centralWidget()->size(), QSize(421, 195));
  struct Placed {
    const char* name;
    QRect twips;
  };
  for (const Placed& placed : {Placed{"Label1", Twips(120, 240, 375, 495)},
                               Placed{"ClearCommand", Twips(4920, 360, 855, 375)},
                               Placed{"StartStopCommand", Twips(4920, 960, 855, 375)},
                               Placed{"ProgressFrame", Twips(120, 1680, 5775, 735)},
                               Placed{"ProgressBar1", Twips(240, 360, 5415, 255)}}) {
    EXPECT_EQ(Find<QWidget>(window(), placed.name)->geometry(), placed.twips) << placed.name;
  }
  // The status lines keep their place; they are wider than designed only where
  // the platform font needs it for the longest text, and never reach the buttons.
  for (const Placed& placed : {Placed{"EstimateText", Twips(600, 360, 2175, 375)},
                               Placed{"TotalText", Twips(600, 600, 3015, 375)},
                               Placed{"HitsText", Twips(600, 840, 3015, 375)}}) {
    const QRect geometry = Find<QLabel>(window(), placed.name)->geometry();
    EXPECT_EQ(geometry.topLeft(), placed.twips.topLeft()) << placed.name;
    EXPECT_EQ(geometry.height(), placed.twips.height()) << placed.name;
    EXPECT_GE(geometry.width(), placed.twips.width()) << placed.name;
    EXPECT_LE(geometry.right(), 4800 / 15) << placed.name;
  }
  QLabel* total = Find<QLabel>(window(), "TotalText");
  EXPECT_LE(total->fontMetrics().horizontalAdvance(" based on  2147483647 virtual people asked"),
            total->width());
  EXPECT_EQ(Text("EstimateText"), "is about");
  EXPECT_EQ(Text("TotalText"), "people asked");
  EXPECT_EQ(Text("HitsText"), "hits found");

  QLabel* pi = Find<QLabel>(window(), "Label1");
  EXPECT_EQ(pi->text(), QString(QChar(0x03A0)));
  EXPECT_TRUE(pi->font().bold());
  EXPECT_DOUBLE_EQ(pi->font().pointSizeF(), 20.25);
  EXPECT_EQ(pi->accessibleName(), "pi");

  EXPECT_EQ(startStop()->text(), "Stop");
  EXPECT_TRUE(startStop()->isEnabled());
  EXPECT_EQ(window().focusWidget(), startStop());
  EXPECT_EQ(reset()->text(), "Reset");
  EXPECT_FALSE(reset()->isEnabled());
  auto* frame = Find<QGroupBox>(window(), "ProgressFrame");
  EXPECT_EQ(frame->title(), "No file loaded");
  EXPECT_FALSE(frame->isEnabled());
  auto* bar = Find<QProgressBar>(window(), "ProgressBar1");
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 100);
  EXPECT_EQ(bar->value(), 0);

  EXPECT_TRUE(timer()->isActive());
  EXPECT_EQ(timer()->interval(), 1);
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsAndMarks) {
  const QList<QAction*> menus = window().menuBar()->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text(), "&File");
  EXPECT_EQ(menus[1]->text(), "&Help");
  QStringList file_entries;
  for (QAction* entry : menus[0]->menu()->actions()) {
    file_entries << (entry->isSeparator() ? "-" : entry->text());
    EXPECT_TRUE(entry->shortcut().isEmpty());
  }
  EXPECT_EQ(file_entries, (QStringList{"&Analyze File", "Ask &Virtual People", "-", "Exit"}));
  QStringList help_entries;
  for (QAction* entry : menus[1]->menu()->actions()) help_entries << entry->text();
  EXPECT_EQ(help_entries, (QStringList{"What is the &point?", "&About Orvanel"}));
  EXPECT_FALSE(Action(window(), "AnalyzeFile")->isChecked());
  EXPECT_TRUE(Action(window(), "VirtualPeopleMenu")->isChecked());
  // Choosing the entry with random pairs changes no mark.
  Action(window(), "VirtualPeopleMenu")->trigger();
  EXPECT_TRUE(Action(window(), "VirtualPeopleMenu")->isChecked());
}

TEST_F(MainWindowTest, StartStopTwiceReturnsToRunningAndResetOnlyWhileStopped) {
  estimator().Tally() = TrialTally{10, 4, 3.0};
  QTest::mouseClick(startStop(), Qt::LeftButton);
  EXPECT_FALSE(timer()->isActive());
  EXPECT_EQ(startStop()->text(), "Start");
  ASSERT_TRUE(reset()->isEnabled());
  QTest::mouseClick(reset(), Qt::LeftButton);
  EXPECT_EQ(estimator().Tally().Total, 0);
  EXPECT_EQ(Text("EstimateText"), "is about " + QString("0") + QLocale().decimalPoint() + "0000");
  EXPECT_EQ(Text("TotalText"), " based on  0 virtual people asked");

  QTest::mouseClick(startStop(), Qt::LeftButton);
  EXPECT_TRUE(timer()->isActive());
  EXPECT_EQ(startStop()->text(), "Stop");
  EXPECT_FALSE(reset()->isEnabled());
  estimator().Tally() = TrialTally{10, 4, 3.0};
  QTest::mouseClick(reset(), Qt::LeftButton);  // a disabled button gets no click
  EXPECT_EQ(estimator().Tally().Total, 10);
}

TEST_F(MainWindowTest, ALoadedTallyIsShownOnlyAtTheFirstUpdate) {
  rig.store->values = {{"Estimate", " 3.1"}, {"Total", " 100"}, {"Hits", " 39"}};
  window().Form_Load();
  EXPECT_EQ(estimator().Tally().Total, 100);
  EXPECT_EQ(Text("TotalText"), "people asked");
  MainWindowProbe::Tick(window());  // four pairs (2, 2): no common factor
  EXPECT_EQ(Text("TotalText"), " based on  104 virtual people asked");
  EXPECT_EQ(Text("HitsText"), "and  65 guesses being relatively prime");
  EXPECT_TRUE(Text("EstimateText").startsWith("is about 3"));
}

TEST_F(MainWindowTest, AFileIsAnalysedThroughTheWindowDownToTheFinish) {
  testing::TempFolder folder;
  const auto path = folder.Write("pairs & more.bin", testing::Records({1, 1, 4, 6, 1, 1}));
  rig.openDialog->answers.push_back(QString::fromStdString(path));
  Action(window(), "AnalyzeFile")->trigger();
  EXPECT_TRUE(Action(window(), "AnalyzeFile")->isChecked());
  EXPECT_FALSE(Action(window(), "VirtualPeopleMenu")->isChecked());
  auto* frame = Find<QGroupBox>(window(), "ProgressFrame");
  EXPECT_TRUE(frame->isEnabled());
  EXPECT_EQ(frame->title(), "Loading " + QString::fromStdString(path).replace("&", "&&"));

  MainWindowProbe::Tick(window());
  EXPECT_EQ(estimator().Tally().Total, 3);
  EXPECT_EQ(estimator().Tally().Hits, 1);
  EXPECT_FALSE(timer()->isActive());
  EXPECT_EQ(startStop()->text(), "Start");
  EXPECT_TRUE(reset()->isEnabled());
  EXPECT_FALSE(Action(window(), "AnalyzeFile")->isChecked());
  EXPECT_TRUE(Action(window(), "VirtualPeopleMenu")->isChecked());
  EXPECT_FALSE(frame->isEnabled());
  EXPECT_TRUE(frame->title().startsWith("Loading "));
  EXPECT_EQ(Find<QProgressBar>(window(), "ProgressBar1")->value(), 100);
  EXPECT_EQ(Text("TotalText"), " based on  3 virtual people asked");
}

TEST_F(MainWindowTest, ACancelKeepsTheLastNameAndChangesNothing) {
  testing::TempFolder folder;
  const QString path = QString::fromStdString(folder.Write("pairs.bin", testing::Records({1, 1})));
  rig.openDialog->answers = {path, std::nullopt};
  Action(window(), "AnalyzeFile")->trigger();
  MainWindowProbe::Tick(window());  // the file ends; trials stop
  estimator().Tally() = TrialTally{500, 100, 3.1};
  Action(window(), "AnalyzeFile")->trigger();
  EXPECT_EQ(rig.openDialog->initialNames, (QStringList{"", path}));
  EXPECT_EQ(MainWindowProbe::SelFileOf(window()).FileName, path);
  EXPECT_EQ(estimator().Tally().Total, 500);
  EXPECT_FALSE(estimator().AnalyzingFile());
  EXPECT_FALSE(Action(window(), "AnalyzeFile")->isChecked());
}

TEST_F(MainWindowTest, AnErrorInATickStopsTheTrialsOnceWithOneMessage) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  estimator().Tally() = TrialTally{kMax - 1, 0, 1.0};
  MainWindowProbe::Tick(window());
  EXPECT_EQ(estimator().Tally().Total, kMax);
  EXPECT_FALSE(timer()->isActive());
  EXPECT_EQ(startStop()->text(), "Start");
  EXPECT_TRUE(reset()->isEnabled());
  ASSERT_EQ(rig.messenger->messages.size(), 1);
  EXPECT_TRUE(rig.messenger->messages[0].contains("number of people asked")) << rig.messenger->messages[0].toStdString();
}

TEST_F(MainWindowTest, AFileThatCannotBeOpenedIsReportedAndChangesNothing) {
  testing::TempFolder folder;
  rig.openDialog->answers.push_back(QString::fromStdString(folder.Path().string()));
  Action(window(), "AnalyzeFile")->trigger();
  ASSERT_EQ(rig.messenger->messages.size(), 1);
  EXPECT_TRUE(rig.messenger->messages[0].contains("it is a folder"));
  EXPECT_TRUE(timer()->isActive()) << "the trials go on";
  EXPECT_FALSE(Action(window(), "AnalyzeFile")->isChecked());
  EXPECT_FALSE(Find<QGroupBox>(window(), "ProgressFrame")->isEnabled());
}

// Every way out, with a store that keeps the tally and with one that refuses it.
// The last save must hold the latest tally; only a person who closed the window
// is shown a message; the exit status tells whether the last save held.
struct WayOut {
  const char* name;
  void (*take)(Main& window);
  bool personPresent;
};

void TheQuitThatFollows(Main& window) { window.SaveOnQuit(); }

const WayOut kWaysOut[] = {
    {"Exit",
     [](Main& window) {
       window.findChild<QAction*>("ExitMenu")->trigger();
       TheQuitThatFollows(window);
     },
     true},
    {"CloseCommand",
     [](Main& window) {
       window.close();
       TheQuitThatFollows(window);
     },
     true},
    {"Signal",
     [](Main& window) {
       window.CloseUnattended();
       TheQuitThatFollows(window);
     },
     false},
    {"SessionEndThenQuit",
     [](Main& window) {
       window.SaveForSessionEnd();
       TheQuitThatFollows(window);
     },
     false},
};

class WaysOut : public MainWindowTest,
                public ::testing::WithParamInterface<std::tuple<WayOut, bool>> {};

TEST_P(WaysOut, SaveTheLatestTallyAndNeverWaitForANobody) {
  const auto& [way, store_refuses] = GetParam();
  rig.store->refuse = store_refuses;
  window().show();
  estimator().Tally() = TrialTally{100, 39, 3.1};
  MainWindowProbe::Tick(window());
  way.take(window());
  EXPECT_EQ(rig.store->values["Total"], " 104");
  EXPECT_EQ(rig.store->values["Hits"], " 39");
  const int boxes = store_refuses && way.personPresent ? 1 : 0;
  EXPECT_EQ(rig.messenger->messages.size(), boxes);
  EXPECT_EQ(window().ExitStatus(), store_refuses ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Table, WaysOut,
                         ::testing::Combine(::testing::ValuesIn(kWaysOut), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  (std::get<1>(info.param) ? "WithAFailingSave" : "");
                         });

TEST(SessionEnd, ACancelledOneLosesNothingAndStopsNothing) {
  for (const bool store_refuses : {false, true}) {
    WindowRig rig;
    Main& window = *rig.window;
    rig.store->refuse = store_refuses;
    window.show();
    MainWindowProbe::Tick(window);
    window.SaveForSessionEnd();  // what the desktop's request calls; then it is cancelled
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(Find<TickTimer>(window, "Timer1")->isActive());
    EXPECT_EQ(Find<QPushButton>(window, "StartStopCommand")->text(), "Stop");
    EXPECT_FALSE(Find<QPushButton>(window, "ClearCommand")->isEnabled());
    EXPECT_TRUE(rig.messenger->messages.isEmpty()) << "nobody may be there to answer";
    EXPECT_EQ(window.ExitStatus(), store_refuses ? 1 : 0);

    rig.store->refuse = false;  // the cause goes away before the user leaves
    MainWindowProbe::Tick(window);
    EXPECT_EQ(MainWindowProbe::EstimatorOf(window).Tally().Total, 8) << "the trials went on";
    Find<QAction>(window, "ExitMenu")->trigger();
    window.SaveOnQuit();
    EXPECT_EQ(rig.store->values["Total"], " 8") << "the last save holds the latest tally";
    EXPECT_EQ(window.ExitStatus(), 0);
  }
}

TEST_F(MainWindowTest, ANothingNewSaveIsSkipped) {
  window().SaveForSessionEnd();
  window().SaveForSessionEnd();
  window().SaveOnQuit();
  EXPECT_EQ(rig.store->commits, 1);
  MainWindowProbe::Tick(window());
  window().SaveOnQuit();
  EXPECT_EQ(rig.store->commits, 2);
}

// A tally that cannot be used is started from zero; the user hears of it once,
// when the window is on screen, in the same words that go to stderr.
TEST_F(MainWindowTest, AnUnusableSavedTallyIsToldOnceAfterTheWindowIsShown) {
  rig.store->values = {{"Estimate", " 3.1"}, {"Total", "99999999999"}, {"Hits", " 5"}};
  ::testing::internal::CaptureStderr();
  window().Form_Load();
  const std::string stderr_text = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(estimator().Tally(), TrialTally{});
  EXPECT_TRUE(rig.messenger->messages.isEmpty()) << "not before the window is shown";
  window().show();
  QCoreApplication::processEvents();
  window().hide();
  window().show();
  QCoreApplication::processEvents();
  ASSERT_EQ(rig.messenger->messages.size(), 1);
  const QString message = rig.messenger->messages[0];
  EXPECT_EQ(message, "The saved Total \"99999999999\" in the test store cannot be used, so the "
                     "tally starts again from zero.");
  EXPECT_EQ(stderr_text, "Orvanel: " + message.toStdString() + "\n");
}

TEST_F(MainWindowTest, AnUnusableEstimateAloneGoesToStderrOnly) {
  rig.store->values = {{"Estimate", "1e999"}, {"Total", " 100"}, {"Hits", " 5"}};
  ::testing::internal::CaptureStderr();
  window().Form_Load();
  const std::string stderr_text = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(estimator().Tally(), (TrialTally{100, 5, 0.0}));
  window().show();
  QCoreApplication::processEvents();
  EXPECT_TRUE(rig.messenger->messages.isEmpty());
  EXPECT_EQ(stderr_text, "Orvanel: The saved Estimate \"1e999\" in the test store cannot be used "
                         "and starts again at 0.\n");
}

TEST_F(MainWindowTest, LoadingSeedsOnceAndStartsWithRandomPairsWithoutRedrawing) {
  rig.store->values = {{"Total", " 10"}};
  window().Form_Load();
  EXPECT_EQ(rig.generator->seeds, 1);
  EXPECT_FALSE(estimator().AnalyzingFile());
  EXPECT_EQ(Text("TotalText"), "people asked");
}

TEST_F(MainWindowTest, ExitSavesTheTallyOnceWhateverFollows) {
  estimator().Tally() = TrialTally{42, 12, 3.0};
  Action(window(), "ExitMenu")->trigger();
  EXPECT_FALSE(window().isVisible());
  EXPECT_FALSE(timer()->isActive());
  window().close();
  std::int16_t cancel = 0;
  window().Form_Unload(cancel);
  EXPECT_EQ(rig.store->commits, 1);
  EXPECT_EQ(rig.store->values["Total"], " 42");
  EXPECT_EQ(rig.store->values["Hits"], " 12");
  EXPECT_EQ(rig.store->values["Estimate"], " 3");
}

TEST_F(MainWindowTest, TheCloseCommandSavesOnceAndAFailedSaveIsReported) {
  rig.store->refuse = true;
  window().show();
  window().close();
  window().close();
  EXPECT_EQ(rig.store->commits, 1);
  ASSERT_EQ(rig.messenger->messages.size(), 1);
  EXPECT_TRUE(rig.messenger->messages[0].contains("could not be saved"));
}

TEST_F(MainWindowTest, HelpAsksForTheHelpFileAtItsContentsAndChangesNothing) {
  estimator().Tally() = TrialTally{7, 2, 2.9};
  Action(window(), "StartHelp")->trigger();
  Action(window(), "StartHelp")->trigger();
  EXPECT_EQ(rig.helpViewer->calls, (QStringList{"Orvanel.hlp 3", "Orvanel.hlp 3"}));
  EXPECT_TRUE(timer()->isActive());
  EXPECT_EQ(estimator().Tally().Total, 7);
}

TEST(HelpViewer, ShowsTheDocumentFromTheFirstFolderThatHasIt) {
  QTemporaryDir beside;
  QTemporaryDir installed;
  QFile document(installed.filePath("Orvanel.html"));
  ASSERT_TRUE(document.open(QIODevice::WriteOnly));
  document.write("<h1>What is the point?</h1>");
  document.close();
  testing::RecordingMessenger messenger;
  auto viewer = MakeDocumentHelpViewer(messenger, {beside.path(), installed.path()});
  QWidget parent;
  viewer->ShowHelp(&parent, "Orvanel.hlp", 3);
  auto* browser = parent.findChild<QTextBrowser*>("HelpWindow");
  ASSERT_NE(browser, nullptr);
  EXPECT_TRUE(browser->isVisible());
  EXPECT_TRUE(browser->isWindow());
  EXPECT_TRUE(browser->toPlainText().contains("What is the point?"));
  EXPECT_TRUE(messenger.messages.isEmpty());
}

TEST(HelpViewer, NamesTheFileWhenNoDocumentIsFound) {
  QTemporaryDir empty;
  testing::RecordingMessenger messenger;
  auto viewer = MakeDocumentHelpViewer(messenger, {empty.path()});
  QWidget parent;
  viewer->ShowHelp(&parent, "Orvanel.hlp", 3);
  ASSERT_EQ(messenger.messages.size(), 1);
  EXPECT_TRUE(messenger.messages[0].contains("Orvanel.hlp"));
  EXPECT_EQ(parent.findChild<QTextBrowser*>(), nullptr);
}

TEST(HelpDocument, IsFoundBesideTheProgramOrInTheInstalledDataFolder) {
  QTemporaryDir prefix;
  QDir(prefix.path()).mkpath("bin");
  QDir(prefix.path()).mkpath("share/orvanel");
  const QStringList folders = HelpSearchFolders(prefix.filePath("bin"));
  EXPECT_EQ(folders, (QStringList{prefix.filePath("bin"), prefix.filePath("share/orvanel")}));
  EXPECT_EQ(FindHelpDocument("Orvanel.hlp", folders), "");
  QFile installed(prefix.filePath("share/orvanel/Orvanel.html"));
  ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
  installed.close();
  EXPECT_EQ(FindHelpDocument("Orvanel.hlp", folders), prefix.filePath("share/orvanel/Orvanel.html"));
  QFile beside(prefix.filePath("bin/Orvanel.html"));
  ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
  beside.close();
  EXPECT_EQ(FindHelpDocument("Orvanel.hlp", folders), prefix.filePath("bin/Orvanel.html"));
}

// The About window is modal: it is inspected and closed from inside its own loop.
TEST_F(MainWindowTest, AboutShowsItsSixLinesEachTimeAndLeavesTheTimerRunning) {
  window().show();
  for (int showing = 0; showing < 2; ++showing) {
    bool inspected = false;
    QTimer::singleShot(0, &window(), [&] {
      auto* about = qobject_cast<AboutPlay*>(QApplication::activeModalWidget());
      ASSERT_NE(about, nullptr);
      EXPECT_EQ(about->windowTitle(), "About Orvanel");
      EXPECT_EQ(about->size(), QSize(293, 174));
      EXPECT_EQ(about->findChildren<QLabel*>().size(), 6);
      EXPECT_EQ(Find<QLabel>(*about, "Label2")->text(), "You are running Orvanel  1.1,");
      EXPECT_EQ(Find<QLabel>(*about, "Label2")->geometry(), Twips(960, 240, 2655, 255));
      EXPECT_EQ(Find<QLabel>(*about, "Label4")->text(), "Any comments or bug reports can be sent");
      EXPECT_EQ(Find<QLabel>(*about, "Label4")->geometry(), Twips(480, 960, 3015, 255));
      EXPECT_TRUE(Find<QLabel>(*about, "Label3")->text().startsWith("to "));
      EXPECT_EQ(Find<QLabel>(*about, "Label3")->geometry(), Twips(960, 1200, 2175, 255));
      EXPECT_TRUE(Find<QLabel>(*about, "Label6")->text().startsWith("Check out "));
      EXPECT_EQ(Find<QLabel>(*about, "Label6")->geometry(), Twips(600, 1680, 2535, 255));
      EXPECT_EQ(Find<QLabel>(*about, "Label5")->text(), "for other games, short stories and merchandise.");
      EXPECT_EQ(Find<QLabel>(*about, "Label5")->geometry(), Twips(360, 1920, 3495, 375));
      EXPECT_TRUE(timer()->isActive());
      QTest::keyClick(about, Qt::Key_Escape);
      QTest::keyClick(about, Qt::Key_Return);
      EXPECT_TRUE(about->isVisible()) << "Enter and Escape do nothing";
      inspected = true;
      about->close();
    });
    Action(window(), "AboutMenu")->trigger();
    EXPECT_TRUE(inspected);
    EXPECT_EQ(window().findChild<AboutPlay*>(), nullptr) << "destroyed when closed";
  }
  EXPECT_TRUE(timer()->isActive());
}

}  // namespace
}  // namespace orvanel

