// The main window and the About window on fakes, offscreen: layout, commands,
// file analysis, errors, help.
#include <gtest/gtest.h>

#include <QApplication>

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>

#include <algorithm>
#include <cmath>
#include <limits>

#include "gui/main/status_lines.h"
#include "gui/widgets/about_play.h"
#include "gui/widgets/contrast.h"
#include "gui/widgets/placement.h"
#include "support/main_window_test.h"
#include "support/temp_files.h"

namespace orvanel {
namespace {

using testing::Action;
using testing::Find;
using testing::MainWindowTest;
using testing::Twips;

// The designed layout holds where the texts fit; where one needs more room its
// control grows to the right, and the window with it, the buttons keeping their
// distance from the right edge (text_fit_test.cpp checks that every text fits).
TEST_F(MainWindowTest, StartsRunningWithItsDesignedLayout) {
  EXPECT_EQ(window().windowTitle(), "Orvanel");
  const QSize client = window().centralWidget()->size();
  EXPECT_EQ(client.height(), 195);
  EXPECT_GE(client.width(), 421);
  const int grown = client.width() - 421;
  const QRect emblem = Find<QWidget>(window(), "Label1")->geometry();
  EXPECT_EQ(emblem.topLeft(), Twips(120, 240, 375, 495).topLeft());
  EXPECT_TRUE(emblem.contains(Twips(120, 240, 375, 495))) << "grown for a wide font alone";
  struct Placed {
    const char* name;
    QRect twips;
  };
  for (const Placed& placed : {Placed{"ClearCommand", Twips(4920, 360, 855, 375)},
                               Placed{"StartStopCommand", Twips(4920, 960, 855, 375)}}) {
    const QRect geometry = Find<QWidget>(window(), placed.name)->geometry();
    EXPECT_EQ(geometry.right(), placed.twips.right() + grown) << placed.name;
    EXPECT_EQ(geometry.top(), placed.twips.top()) << placed.name;
    EXPECT_EQ(geometry.height(), placed.twips.height()) << placed.name;
    EXPECT_GE(geometry.width(), placed.twips.width()) << placed.name;
  }
  for (const Placed& placed : {Placed{"ProgressFrame", Twips(120, 1680, 5775, 735)},
                               Placed{"ProgressBar1", Twips(240, 360, 5415, 255)}}) {
    const QRect geometry = Find<QWidget>(window(), placed.name)->geometry();
    EXPECT_EQ(geometry.topLeft(), placed.twips.topLeft()) << placed.name;
    EXPECT_EQ(geometry.size(), placed.twips.size() + QSize(grown, 0)) << placed.name;
  }
  const int buttons_left = reset()->x();
  for (const Placed& placed : {Placed{"EstimateText", Twips(600, 360, 2175, 375)},
                               Placed{"TotalText", Twips(600, 600, 3015, 375)},
                               Placed{"HitsText", Twips(600, 840, 3015, 375)}}) {
    const QRect geometry = Find<QLabel>(window(), placed.name)->geometry();
    EXPECT_EQ(geometry.topLeft(), placed.twips.topLeft()) << placed.name;
    EXPECT_EQ(geometry.height(), placed.twips.height()) << placed.name;
    EXPECT_GE(geometry.width(), placed.twips.width()) << placed.name;
    EXPECT_LE(geometry.right() + 120 / 15, buttons_left) << placed.name << " keeps off the buttons";
  }
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
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[0]->text(), "&File");
  EXPECT_EQ(menus[1]->text(), "&View");
  EXPECT_EQ(menus[2]->text(), "&Help");
  ASSERT_EQ(menus[1]->menu()->actions().size(), 2);
  EXPECT_EQ(menus[1]->menu()->actions()[0]->text(), "&Convergence Chart");
  EXPECT_EQ(menus[1]->menu()->actions()[1]->text(), "&Full Speed");
  EXPECT_TRUE(Action(window(), "FullSpeedMenu")->isCheckable());
  EXPECT_FALSE(Action(window(), "FullSpeedMenu")->isChecked()) << "off at every start";
  QStringList file_entries;
  for (QAction* entry : menus[0]->menu()->actions()) {
    file_entries << (entry->isSeparator() ? "-" : entry->text());
    EXPECT_TRUE(entry->shortcut().isEmpty());
  }
  EXPECT_EQ(file_entries, (QStringList{"&Analyze File", "Ask &Virtual People", "-", "Exit"}));
  QStringList help_entries;
  for (QAction* entry : menus[2]->menu()->actions()) help_entries << entry->text();
  EXPECT_EQ(help_entries, (QStringList{"What is the &point?", "&About Orvanel"}));
  EXPECT_FALSE(Action(window(), "AnalyzeFile")->isChecked());
  EXPECT_TRUE(Action(window(), "VirtualPeopleMenu")->isChecked());
  // Choosing the entry with random pairs changes no mark.
  Action(window(), "VirtualPeopleMenu")->trigger();
  EXPECT_TRUE(Action(window(), "VirtualPeopleMenu")->isChecked());
}

TEST_F(MainWindowTest, StartStopTwiceReturnsToRunningAndResetOnlyWhileStopped) {
  rig.Load(TrialTally{10, 4, 3.0});
  QTest::mouseClick(startStop(), Qt::LeftButton);
  EXPECT_FALSE(timer()->isActive());
  EXPECT_EQ(startStop()->text(), "Start");
  ASSERT_TRUE(reset()->isEnabled());
  QTest::mouseClick(reset(), Qt::LeftButton);
  EXPECT_EQ(window().Tally().Total, 0);
  EXPECT_EQ(Text("EstimateText"), "is about " + QString("0") + QLocale().decimalPoint() + "0000");
  EXPECT_EQ(Text("TotalText"), " based on  0 virtual people asked");

  QTest::mouseClick(startStop(), Qt::LeftButton);
  EXPECT_TRUE(timer()->isActive());
  EXPECT_EQ(startStop()->text(), "Stop");
  EXPECT_FALSE(reset()->isEnabled());
  rig.Load(TrialTally{10, 4, 3.0});
  QTest::mouseClick(reset(), Qt::LeftButton);  // a disabled button gets no click
  EXPECT_EQ(window().Tally().Total, 10);
}

TEST_F(MainWindowTest, ALoadedTallyIsShownOnlyAtTheFirstUpdate) {
  rig.store->values = {{"Estimate", " 3.1"}, {"Total", " 100"}, {"Hits", " 39"}};
  window().Form_Load();
  EXPECT_EQ(window().Tally().Total, 100);
  EXPECT_EQ(Text("TotalText"), "people asked");
  rig.Tick();  // four pairs (2, 2): no common factor
  EXPECT_EQ(Text("TotalText"), " based on  104 virtual people asked");
  EXPECT_EQ(Text("HitsText"), "and  65 guesses being relatively prime");
  EXPECT_TRUE(Text("EstimateText").startsWith("is about 3"));
}

TEST_F(MainWindowTest, AFileIsAnalysedThroughTheWindowDownToTheFinish) {
  testing::TempFolder folder;
  const auto path = folder.Write("pairs & more.bin", testing::Records({1, 1, 4, 6, 1, 1}));
  rig.openDialog->answers.push_back(QString::fromStdString(path));
  Action(window(), "AnalyzeFile")->trigger();
  testing::WaitForTheOpen(window());
  EXPECT_TRUE(Action(window(), "AnalyzeFile")->isChecked());
  EXPECT_FALSE(Action(window(), "VirtualPeopleMenu")->isChecked());
  auto* frame = Find<QGroupBox>(window(), "ProgressFrame");
  EXPECT_TRUE(frame->isEnabled());
  // The whole name in the tooltip; in the title, the "&" shown as itself.
  EXPECT_EQ(frame->toolTip(), "Loading " + QString::fromStdString(path));
  EXPECT_TRUE(frame->title().contains("&& more.bin")) << frame->title().toStdString();

  rig.Tick();
  EXPECT_EQ(window().Tally().Total, 3);
  EXPECT_EQ(window().Tally().Hits, 1);
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

// The frame's caption grows the window for a long file name, up to the width of
// the screen; a name longer than any screen can show gives way in its middle,
// and the tooltip holds the caption whole.
TEST_F(MainWindowTest, ACancelKeepsTheLastNameAndChangesNothing) {
  testing::TempFolder folder;
  const QString path = QString::fromStdString(folder.Write("pairs.bin", testing::Records({1, 1})));
  rig.openDialog->answers = {path, std::nullopt};
  Action(window(), "AnalyzeFile")->trigger();
  testing::WaitForTheOpen(window());
  rig.Tick();  // the file ends; trials stop
  rig.Load(TrialTally{500, 100, 3.1});
  Action(window(), "AnalyzeFile")->trigger();
  testing::WaitForTheOpen(window());
  EXPECT_EQ(window().Tally().Total, 500);
  EXPECT_FALSE(Action(window(), "AnalyzeFile")->isChecked());
  EXPECT_TRUE(Action(window(), "VirtualPeopleMenu")->isChecked());
  Action(window(), "AnalyzeFile")->trigger();  // the kept name is offered again
  testing::WaitForTheOpen(window());
  EXPECT_EQ(rig.openDialog->initialNames, (QStringList{"", path, path}));
}

// At the tally's limit no trial can be counted: the trials stop, the message
// names the limit in the user's digits, and Start waits for a new tally (Reset,
// or a pair file); a tally loaded at the limit meets it at the first tick.
TEST_F(MainWindowTest, AtTheLimitStartWaitsForANewTally) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  for (const std::int32_t loaded : {kMax - 1, kMax}) {
    rig.messenger->messages.clear();
    rig.messenger->kinds.clear();
    rig.Load(TrialTally{loaded, 0, 1.0});
    if (!timer()->isActive()) startStop()->click();
    rig.Tick();
    EXPECT_EQ(window().Tally().Total, kMax);
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(startStop()->text(), "Start");
    EXPECT_FALSE(startStop()->isEnabled()) << "Start would only meet the limit again";
    EXPECT_TRUE(reset()->isEnabled());
    ASSERT_EQ(rig.messenger->messages.size(), 1);
    EXPECT_TRUE(rig.messenger->messages[0].contains(QLocale().toString(kMax)))
        << rig.messenger->messages[0].toStdString();
    EXPECT_EQ(rig.messenger->kinds[0], Messenger::Kind::kNotice);
    EXPECT_TRUE(Find<QLabel>(window(), "TotalText")->text().contains(QString::number(kMax)))
        << "the tally at the limit is shown, loaded so or not";
    reset()->click();
    EXPECT_TRUE(startStop()->isEnabled());
  }
  testing::TempFolder folder;
  rig.Load(TrialTally{kMax, 0, 1.0});
  startStop()->click();
  rig.Tick();
  ASSERT_FALSE(startStop()->isEnabled());
  rig.openDialog->answers.push_back(
      QString::fromStdString(folder.Write("pairs.bin", testing::Records({1, 1}))));
  Action(window(), "AnalyzeFile")->trigger();
  testing::WaitForTheOpen(window());
  EXPECT_TRUE(startStop()->isEnabled()) << "a pair file starts a new tally";
  EXPECT_TRUE(timer()->isActive());
}

// A file that ends without a single whole pair says so, with its length.
TEST_F(MainWindowTest, AFileWithNoCompletePairIsTold) {
  testing::TempFolder folder;
  for (const auto& [bytes, told] : {std::pair{0, "” is empty; a pair needs 8 bytes."},
                                    std::pair{1, "” holds only 1 byte; a pair needs 8."},
                                    std::pair{7, "” holds only 7 bytes; a pair needs 8."}}) {
    const QString path = QString::fromStdString(folder.Write(
        "short" + std::to_string(bytes) + ".bin", std::vector<std::uint8_t>(bytes, 1)));
    rig.openDialog->answers.push_back(path);
    Action(window(), "AnalyzeFile")->trigger();
    testing::WaitForTheOpen(window());
    rig.Tick();
    ASSERT_EQ(rig.messenger->messages.size(), 1);
    EXPECT_EQ(rig.messenger->messages[0],
              "The file “" + QDir::toNativeSeparators(path) + QString::fromUtf8(told));
    EXPECT_EQ(rig.messenger->kinds[0], Messenger::Kind::kNotice);
    rig.messenger->messages.clear();
    rig.messenger->kinds.clear();
  }
}

TEST_F(MainWindowTest, AFileThatCannotBeOpenedIsReportedAndChangesNothing) {
  testing::TempFolder folder;
  rig.openDialog->answers.push_back(QString::fromStdString(folder.Path().string()));
  Action(window(), "AnalyzeFile")->trigger();
  testing::WaitForTheOpen(window());
  ASSERT_EQ(rig.messenger->messages.size(), 1);
  EXPECT_TRUE(rig.messenger->messages[0].contains("it is a folder"));
  EXPECT_TRUE(timer()->isActive()) << "the trials go on";
  EXPECT_FALSE(Action(window(), "AnalyzeFile")->isChecked());
  EXPECT_FALSE(Find<QGroupBox>(window(), "ProgressFrame")->isEnabled());
}

TEST_F(MainWindowTest, HelpAsksForTheHelpFileAtItsContentsAndChangesNothing) {
  rig.Load(TrialTally{7, 2, 2.9});
  Action(window(), "StartHelp")->trigger();
  Action(window(), "StartHelp")->trigger();
  EXPECT_EQ(rig.helpViewer->showings, 2);
  EXPECT_TRUE(timer()->isActive());
  EXPECT_EQ(window().Tally().Total, 7);
}

// F1 opens the help from anywhere in the window; the menu entry itself keeps
// no shortcut, as designed.
TEST_F(MainWindowTest, FOneOpensTheHelp) {
  window().show();
  QApplication::setActiveWindow(&window());
  QTest::keyClick(&window(), Qt::Key_F1);
  EXPECT_EQ(rig.helpViewer->showings, 1);
  EXPECT_TRUE(Action(window(), "StartHelp")->shortcut().isEmpty());
  Action(window(), "ConvergenceChartMenu")->trigger();
  auto* chart = Find<QWidget>(window(), "ConvergenceWindow");
  QApplication::setActiveWindow(chart);
  QTest::keyClick(chart, Qt::Key_F1);
  EXPECT_EQ(rig.helpViewer->showings, 2) << "from the chart's window too";
}

// Every window opens inside the free area of the screen, at its designed size
// where that fits and never below its minimum, on screens from a laptop's to
// a 4K one at the usual scales (the free area in the window's own pixels,
// less a taskbar). Where even its minimum is too large, its top left corner is
// on the screen: the title bar is never above it.
TEST_F(MainWindowTest, EveryWindowOpensInsideTheScreen) {
  window().adjustSize();
  auto viewer = MakeDocumentHelpViewer();
  viewer->ShowContents(&window());
  Action(window(), "ConvergenceChartMenu")->trigger();
  const QMargins frame(4, 30, 4, 4);  // as a window manager adds it
  // The frame `placed` gets on `screen`, for a window whose least size is `least`.
  const auto expect_inside = [&frame](const QRect& screen, const QRect& placed, const QSize& least,
                                      const std::string& which) {
    const QRect framed(placed.topLeft(), placed.size().grownBy(frame));
    EXPECT_TRUE(screen.contains(framed.topLeft())) << which;
    if (screen.size().shrunkBy(frame).expandedTo(least) == screen.size().shrunkBy(frame)) {
      EXPECT_TRUE(screen.contains(framed))
          << which << ", " << framed.width() << "x" << framed.height();
    }
  };
  QWidget* windows[] = {Find<QWidget>(window(), "HelpWindow"),
                        Find<QWidget>(window(), "ConvergenceWindow")};
  const QSize designed[] = {windows[0]->size(), windows[1]->size()};
  for (const QSize screen_pixels : {QSize(1366, 768), QSize(1920, 1080), QSize(3840, 2160)}) {
    for (const double scale : {1.0, 1.5, 2.0}) {
      const QRect screen(0, 0, int(screen_pixels.width() / scale),
                         int((screen_pixels.height() - 48) / scale));
      const std::string name =
          std::to_string(screen_pixels.width()) + " at " + std::to_string(scale);
      expect_inside(screen, QRect(Centred(window().size().grownBy(frame), screen), window().size()),
                    window().size(), "main, " + name);
      for (int i = 0; i < 2; ++i) {
        const QWidget& shown = *windows[i];
        const QSize least = shown.minimumSizeHint().expandedTo(shown.minimumSize());
        const QRect placed =
            FitBeside(shown, window().frameGeometry().marginsAdded(frame), frame, screen);
        const std::string which = shown.objectName().toStdString() + ", " + name;
        expect_inside(screen, placed, least, which);
        EXPECT_EQ(placed.size().expandedTo(least), placed.size()) << which;
        if (screen.size().shrunkBy(frame).expandedTo(designed[i]) ==
            screen.size().shrunkBy(frame)) {
          EXPECT_EQ(placed.size(), designed[i]) << which << " has room for its designed size";
        }
      }
    }
  }
}

// The frame's caption reads on the workspace colour whether or not a file is
// analyzed (4.5 : 1), in a light and in a dark palette; a file that is done
// shows its bar full, with its value.
TEST(ProgressFrame, ReadsWhenItsFileIsNoneOrDone) {
  const QPalette before = QApplication::palette();
  QPalette dark = before;
  for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::Dark}) {
    dark.setColor(role, QColor(40, 40, 44));
  }
  for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    dark.setColor(role, QColor(230, 230, 230));
  }
  for (const QPalette& palette : {before, dark}) {
    QApplication::setPalette(palette);
    testing::WindowRig rig;
    auto* frame = Find<QGroupBox>(*rig.window, "ProgressFrame");
    ASSERT_FALSE(frame->isEnabled());
    EXPECT_GE(ContrastRatio(frame->palette().color(QPalette::Disabled, QPalette::WindowText),
                            frame->palette().color(QPalette::Window)),
              4.5);
    testing::TempFolder folder;
    rig.openDialog->answers.push_back(
        QString::fromStdString(folder.Write("pairs.bin", testing::Records({1, 1}))));
    Action(*rig.window, "AnalyzeFile")->trigger();
    testing::WaitForTheOpen(*rig.window);
    rig.Tick();
    auto* bar = Find<QProgressBar>(*rig.window, "ProgressBar1");
    EXPECT_FALSE(frame->isEnabled()) << "the file is done";
    EXPECT_EQ(bar->value(), 100);
    EXPECT_TRUE(bar->isTextVisible());
    EXPECT_TRUE(bar->text().startsWith("100")) << bar->text().toStdString();
  }
  QApplication::setPalette(before);
}

TEST(HelpViewer, ShowsTheDocumentBuiltIntoTheProgramBesideTheWindow) {
  auto viewer = MakeDocumentHelpViewer();
  QWidget parent;
  viewer->ShowContents(&parent);
  auto* help = Find<QWidget>(parent, "HelpWindow");
  auto* browser = Find<QTextBrowser>(*help, "HelpDocument");
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->isWindow());
  EXPECT_EQ(help->windowTitle(), "Orvanel Help");
  EXPECT_TRUE(browser->toPlainText().startsWith("What is the point?"));
  viewer->ShowContents(&parent);
  EXPECT_EQ(parent.findChildren<QTextBrowser*>().size(), 1) << "one help window, shown again";
  // A screen reader meets a window holding a document it can read.
  EXPECT_EQ(QAccessible::queryAccessibleInterface(help)->role(), QAccessible::Window);
  QAccessibleInterface* document = QAccessible::queryAccessibleInterface(browser);
  EXPECT_EQ(document->role(), QAccessible::Document);
  EXPECT_EQ(document->text(QAccessible::Name), "Orvanel Help");
  ASSERT_NE(document->textInterface(), nullptr);
  EXPECT_EQ(document->textInterface()->text(0, 18), "What is the point?");
  EXPECT_EQ(document->textInterface()->characterCount(), browser->toPlainText().size());
  document->textInterface()->setSelection(0, 5, 7);
  EXPECT_EQ(browser->textCursor().selectedText(), "is");
}

// Escape closes the help and the chart windows, whichever of their widgets has
// the focus.
TEST_F(MainWindowTest, EscapeClosesTheHelpAndTheChartWindows) {
  auto viewer = MakeDocumentHelpViewer();
  viewer->ShowContents(&window());
  auto* help = Find<QWidget>(window(), "HelpWindow");
  Action(window(), "ConvergenceChartMenu")->trigger();
  QWidget* chart = Find<QWidget>(window(), "ConvergenceWindow");
  Find<QPushButton>(*chart, "SaveImage")->setFocus();
  for (QWidget* shown : {static_cast<QWidget*>(help), chart}) {
    ASSERT_TRUE(shown->isVisible()) << shown->objectName().toStdString();
    QWidget* focus = shown->focusWidget() != nullptr ? shown->focusWidget() : shown;
    QTest::keyClick(focus, Qt::Key_Escape);
    EXPECT_FALSE(shown->isVisible()) << shown->objectName().toStdString();
  }
}

TEST_F(MainWindowTest, AboutShowsItsSixLinesEachTimeAndLeavesTheTimerRunning) {
  window().show();
  for (int showing = 0; showing < 2; ++showing) {
    testing::InspectModal<AboutPlay>(
        window(), [&] { Action(window(), "AboutMenu")->trigger(); },
        [&](AboutPlay& about) {
          EXPECT_EQ(about.windowTitle(), "About Orvanel");
          EXPECT_GE(about.width(), 293);
          EXPECT_EQ(about.height(), 174);
          EXPECT_EQ(about.minimumSize(), about.maximumSize()) << "fixed size";
          EXPECT_FALSE(about.windowFlags() & Qt::WindowMinimizeButtonHint);
          EXPECT_FALSE(about.windowFlags() & Qt::WindowMaximizeButtonHint);
          EXPECT_TRUE(about.windowFlags() & Qt::WindowCloseButtonHint);
          EXPECT_LE((about.frameGeometry().center() - window().frameGeometry().center())
                        .manhattanLength(),
                    2)
              << "centred over the main window";
          EXPECT_EQ(about.findChildren<QLabel*>().size(), 6);
          const struct {
            const char* name;
            QRect twips;
            QString text;
          } lines[] = {
              {"Label2", Twips(960, 240, 2655, 255), "You are running Orvanel  1.1,"},
              {"Label4", Twips(480, 960, 3015, 255), "Any comments or bug reports can be sent"},
              {"Label3", Twips(960, 1200, 2175, 255), "to "},
              {"Label6", Twips(600, 1680, 2535, 255), "Check out "},
              {"Label5", Twips(360, 1920, 3495, 375),
               "for other games, short stories and merchandise."},
          };
          for (const auto& line : lines) {
            const QLabel* label = Find<QLabel>(about, line.name);
            EXPECT_TRUE(label->text().startsWith(line.text)) << line.name;
            EXPECT_EQ(label->geometry().topLeft(), line.twips.topLeft()) << line.name;
            EXPECT_EQ(label->height(), line.twips.height()) << line.name;
            EXPECT_GE(label->width(), line.twips.width()) << line.name;
          }
          EXPECT_TRUE(timer()->isActive());
          QTest::keyClick(&about, Qt::Key_Escape);
          QTest::keyClick(&about, Qt::Key_Return);
          EXPECT_TRUE(about.isVisible()) << "Enter and Escape do nothing";
        });
    EXPECT_EQ(window().findChild<AboutPlay*>(), nullptr) << "destroyed when closed";
  }
  EXPECT_TRUE(timer()->isActive());
}

// The locale is the whole program's; each test here leaves it as it found it.
class StatusLineWords : public ::testing::Test {
 protected:
  void TearDown() override { QLocale::setDefault(previous_); }

 private:
  QLocale previous_;
};

TEST_F(StatusLineWords, PutTwoBlanksBeforeTheCounts) {
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(EstimateLine(3.141404312), "is about 3.1414");
  EXPECT_EQ(TotalLine(1000), " based on  1000 virtual people asked");
  EXPECT_EQ(HitsLine(608), "and  608 guesses being relatively prime");
  EXPECT_EQ(HitsLine(-5), "and -5 guesses being relatively prime");
}

TEST_F(StatusLineWords, ShowTheEstimateWithTheLocalesDecimalSeparator) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(EstimateLine(std::sqrt(6.0)), "is about 2,4495");
  EXPECT_EQ(TotalLine(1234567), " based on  1234567 virtual people asked") << "no grouping";
}

}  // namespace
}  // namespace orvanel
