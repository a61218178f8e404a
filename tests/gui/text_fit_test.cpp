// Every text of both windows is translated, and shown whole in its control, in
// every shipped language and for the widest values the program can show.
#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTranslator>

#include <algorithm>
#include <limits>
#include <map>
#include <string>

#include "gui/chart/convergence_chart.h"
#include "gui/chart/convergence_window.h"
#include "gui/platform/translations.h"
#include "gui/widgets/about_credits.h"
#include "gui/widgets/about_play.h"
#include "support/main_window_test.h"
#include "support/peers.h"
#include "support/temp_files.h"

namespace orvanel {
namespace {

using testing::Action;
using testing::Find;

constexpr auto kMax = std::numeric_limits<std::int32_t>::max();

// Speaks `language` (its translations and its locale) for as long as it lives.
class Language {
 public:
  explicit Language(const char* language) {
    QLocale::setDefault(QLocale(language));
    translations_.Use(QLocale(language));
  }
  ~Language() { QLocale::setDefault(previous_); }

 private:
  QLocale previous_;
  Translations translations_;
};

QString Visible(const QString& caption) {
  QString text = caption;
  return text.replace("&&", "\x01").remove('&').replace('\x01', '&');
}

// Every label, button, frame caption and menu entry of `window` shown whole.
void ExpectEveryTextWhole(QWidget& window, const std::string& when) {
  SCOPED_TRACE(when);
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    const QSize needed = label->fontMetrics().size(0, label->text());  // of all its lines
    EXPECT_LE(needed.width(), label->width())
        << label->objectName().toStdString() << ": " << label->text().toStdString();
    EXPECT_LE(needed.height(), label->height()) << label->objectName().toStdString();
    EXPECT_LE(label->geometry().right(), label->parentWidget()->width() - 1)
        << label->objectName().toStdString() << " lies inside the window";
  }
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    EXPECT_LE(button->sizeHint().width(), button->width()) << button->text().toStdString();
  }
  for (QGroupBox* frame : window.findChildren<QGroupBox*>()) {
    EXPECT_LE(frame->minimumSizeHint().width(), frame->width()) << frame->title().toStdString();
    EXPECT_LE(frame->geometry().right(), frame->parentWidget()->width() - 1);
  }
  for (QMenuBar* bar : window.findChildren<QMenuBar*>()) {
    bar->adjustSize();
    for (QAction* menu : bar->actions()) {
      EXPECT_TRUE(bar->rect().contains(bar->actionGeometry(menu))) << menu->text().toStdString();
      for (QAction* entry : menu->menu()->actions()) {
        if (entry->isSeparator()) continue;
        const QFontMetrics metrics = menu->menu()->fontMetrics();
        EXPECT_LE(metrics.horizontalAdvance(Visible(entry->text())),
                  menu->menu()->actionGeometry(entry).width())
            << entry->text().toStdString();
      }
    }
  }
}

// Every text the chart paints lies inside it, apart from every other.
void ExpectChartTextsWhole(const ConvergenceChart& chart, const std::string& when) {
  SCOPED_TRACE(when);
  const auto texts = testing::ConvergenceChartPeer::LayOut(chart).texts;
  const QRectF inside(QPointF(0, 0), QSizeF(chart.size()));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const auto& [text, rect] = texts[i];
    EXPECT_TRUE(inside.contains(rect)) << text.toStdString();
    for (std::size_t j = i + 1; j < texts.size(); ++j) {
      EXPECT_FALSE(rect.intersects(texts[j].second))
          << text.toStdString() << " and " << texts[j].first.toStdString();
    }
  }
}

class TextsInEveryLanguage : public ::testing::TestWithParam<const char*> {};

TEST_P(TextsInEveryLanguage, AreShownWholeForTheWidestValues) {
  Language language(GetParam());
  testing::WindowRig rig;
  Main& window = *rig.window;
  window.show();
  ExpectEveryTextWhole(window, "at the start");

  rig.Load(TrialTally{kMax - 4, 0, 3.0});
  rig.Tick();  // four pairs without a common factor: both counts at their largest
  EXPECT_EQ(window.Tally().Total, kMax);
  ExpectEveryTextWhole(window, "with the largest counts");

  rig.Load(TrialTally{-kMax, 1, 0.0});  // a saved tally out of its invariant
  rig.Tick();
  EXPECT_LT(window.Tally().Total, -2'000'000'000);
  ExpectEveryTextWhole(window, "with negative counts");

  Action(window, "ConvergenceChartMenu")->trigger();
  auto* chart = Find<ConvergenceWindow>(window, "ConvergenceWindow");
  rig.Load(TrialTally{kMax - 1, kMax - 1, 0.0});
  rig.Tick();  // the estimate at its largest, then the count at its limit stops the trials
  EXPECT_EQ(rig.messenger->messages.size(), 1);
  EXPECT_FALSE(Find<TickTimer>(window, "Timer1")->isActive());
  ExpectEveryTextWhole(window, "with the widest estimate, stopped");
  QCoreApplication::processEvents();  // the chart's layout takes its new text
  ExpectEveryTextWhole(*chart, "in the convergence chart");
  for (const int pairs : {1, 1000, kMax}) {  // few decades, and many to label
    rig.Load(TrialTally{pairs, 0, 2.5});
    chart->resize(chart->minimumSize());
    QCoreApplication::processEvents();
    ExpectChartTextsWhole(*Find<ConvergenceChart>(*chart, "ConvergenceChart"),
                          "the chart at its smallest, after " + std::to_string(pairs) + " pairs");
  }
  chart->close();

  testing::TempFolder folder;
  const std::string name(150, 'n');
  rig.openDialog->answers.push_back(QString::fromStdString(folder.Write(name + ".bin", {})));
  Action(window, "AnalyzeFile")->trigger();
  testing::WaitForTheOpen(window);
  ExpectEveryTextWhole(window, "analyzing a file with a long name");

  AboutPlay about(&window);
  ExpectEveryTextWhole(about, "in the About window");
}

// A file's name, however long, never widens the window: the frame's caption
// gives way in its middle, and holds the whole name in its tooltip and for a
// screen reader, in every language.
TEST_P(TextsInEveryLanguage, AFilesNameNeverWidensTheWindow) {
  Language language(GetParam());
  testing::WindowRig rig;
  Main& window = *rig.window;
  window.show();
  const int width = window.width();
  auto* frame = Find<QGroupBox>(window, "ProgressFrame");
  testing::TempFolder folder;
  for (const std::string& name :
       {std::string("p"), std::string(40, 'm'), "Zoë Müller ζ " + std::string(200, 'w')}) {
    const QString path = QString::fromStdString(folder.Write(name + ".bin", {}));
    rig.openDialog->answers.push_back(path);
    Action(window, "AnalyzeFile")->trigger();
    testing::WaitForTheOpen(window);
    EXPECT_EQ(window.width(), width) << name;
    EXPECT_LE(frame->minimumSizeHint().width(), frame->width()) << name;
    EXPECT_TRUE(frame->toolTip().contains(path)) << name;
    EXPECT_EQ(frame->accessibleDescription(), frame->toolTip()) << name;
    EXPECT_NE(frame->title().contains(path), frame->title().contains(QChar(0x2026)))
        << name << ": the name whole, or shortened in its middle";
  }
  EXPECT_FALSE(frame->title().contains(QString::fromStdString(std::string(200, 'w'))));
}

// The chart's labels for every kind of run, at its usual size and at its
// smallest: each whole and apart from the others, at least two on the pairs
// axis, and a decade left unlabelled only where no 2 or 5 is labelled.
TEST_P(TextsInEveryLanguage, LabelTheChartsAxesWithTheDecadesFirst) {
  Language language(GetParam());
  using Points = std::vector<ConvergenceRecord::Point>;
  Points every_pair;
  for (std::int64_t pairs = 1; pairs <= 100; ++pairs) every_pair.push_back({pairs, 3.1});
  Points to_the_limit;
  for (std::int64_t pairs = 1; pairs < kMax; pairs = pairs * 101 / 100 + 1) {
    to_the_limit.push_back({pairs, 3.1416});
  }
  to_the_limit.push_back({kMax, 3.14159});
  Points carried_on;
  for (std::int64_t pairs = 2'000'000; pairs < 30'000'000; pairs = pairs * 101 / 100) {
    carried_on.push_back({pairs, 3.1416});
  }
  const struct {
    const char* name;
    Points points;
    std::int64_t continuedFrom;
  } runs[] = {
      {"Empty", {}, 0},
      {"OnePair", {{1, 2.449}}, 0},
      {"AHundredPairFile", every_pair, 0},
      {"CarriedAtFortyFiveMillion", {{45'000'000, 3.1416}}, 45'000'000},
      {"CarriedAtFiftyMillion", {{50'000'000, 3.1416}, {50'400'000, 3.1415}}, 50'000'000},
      {"CarriedAtTwoMillionToThirty", carried_on, 2'000'000},
      {"ToTheLimit", to_the_limit, 0},
  };
  ConvergenceChart chart(nullptr);
  for (const auto& run : runs) {
    chart.Show(run.points, "", run.continuedFrom);
    for (const QSize size : {chart.sizeHint(), chart.minimumSizeHint()}) {
      chart.resize(size);
      const std::string when = std::string(run.name) + " at " + std::to_string(size.width());
      ExpectChartTextsWhole(chart, when);
      const std::vector<QString> labels = testing::ConvergenceChartPeer::PairsLabels(chart);
      if (run.points.empty()) {
        EXPECT_TRUE(labels.empty()) << when;
        continue;
      }
      EXPECT_GE(labels.size(), 2u) << when;
      const auto is_decade = [](const QString& label) {
        return QString(label)
            .remove(QRegularExpression("[^0-9]"))
            .contains(QRegularExpression("^10*$"));
      };
      const auto ticks = PairsAxisFor(ShownPoints(run.points)).ticks;
      const auto decades = std::count_if(ticks.begin(), ticks.end(), [&](std::int64_t tick) {
        return is_decade(QString::number(tick));
      });
      if (std::count_if(labels.begin(), labels.end(), is_decade) < decades) {
        EXPECT_TRUE(std::all_of(labels.begin(), labels.end(), is_decade) || labels.size() == 2)
            << when << ": a decade went before a 2 or a 5";
      }
    }
  }
  // A font twice as large (as another platform's may be wider): the size the
  // chart asks for still holds every text.
  QFont large = chart.font();
  large.setPointSizeF(large.pointSizeF() * 2);
  chart.setFont(large);
  chart.Show(to_the_limit, "", 0);
  chart.resize(chart.sizeHint());
  ExpectChartTextsWhole(chart, "in a font twice as large");
}

INSTANTIATE_TEST_SUITE_P(Shipped, TextsInEveryLanguage,
                         ::testing::ValuesIn(testing::kShippedLanguages),
                         [](const auto& info) { return std::string(info.param); });

TEST(Translations, UseTheDesktopsStandardTermsForTheMenus) {
  const std::map<std::string, QStringList> menus = {{"en", {"&File", "&View", "&Help"}},
                                                    {"de", {"&Datei", "&Ansicht", "&Hilfe"}},
                                                    {"fr", {"&Fichier", "&Affichage", "Aid&e"}}};
  for (const auto& [name, expected] : menus) {
    Language language(name.c_str());
    testing::WindowRig rig;
    QStringList shown;
    for (QAction* menu : rig.window->menuBar()->actions()) shown << menu->text();
    EXPECT_EQ(shown, expected) << name;
  }
}

// The letter after "&", which Alt and the letter reach; none for a caption without.
QChar AccessKey(const QString& caption) {
  for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1].toLower();
    ++i;  // "&&" is an ampersand shown as it is
  }
  return QChar();
}

// In every language each menu bar and each menu reaches each of its entries by
// a key of its own, and "Exit" keeps its designed caption without one.
TEST_P(TextsInEveryLanguage, GiveEveryMenuEntryAnAccessKeyOfItsOwn) {
  Language language(GetParam());
  testing::WindowRig rig;
  const auto expect_unique = [](const QList<QAction*>& entries, const std::string& where) {
    std::map<QChar, QString> taken;
    for (const QAction* entry : entries) {
      if (entry->isSeparator()) continue;
      const QChar key = AccessKey(entry->text());
      if (entry->objectName() == "ExitMenu") {
        EXPECT_TRUE(key.isNull()) << entry->text().toStdString();
        continue;
      }
      ASSERT_FALSE(key.isNull()) << where << ": " << entry->text().toStdString();
      const auto [clash, fresh] = taken.emplace(key, entry->text());
      EXPECT_TRUE(fresh) << where << ": " << entry->text().toStdString() << " and "
                         << clash->second.toStdString();
    }
  };
  const QList<QAction*> menus = rig.window->menuBar()->actions();
  expect_unique(menus, "the menu bar");
  for (const QAction* menu : menus)
    expect_unique(menu->menu()->actions(), menu->text().toStdString());

  // The chart's window has one button, and it has its key.
  Action(*rig.window, "ConvergenceChartMenu")->trigger();
  auto* chart = Find<ConvergenceWindow>(*rig.window, "ConvergenceWindow");
  EXPECT_FALSE(AccessKey(Find<QPushButton>(*chart, "SaveImage")->text()).isNull());
  chart->close();
}

// A language may move the web address to the other line of its sentence, but
// never lose it; as in English, the comments' address ends its line without a
// full stop, and the web address's sentence ends with one wherever it stands.
TEST_P(TextsInEveryLanguage, ShowEachAddressOfTheAboutWindowOnce) {
  Language language(GetParam());
  AboutPlay about(nullptr);
  QString shown;
  for (const QLabel* label : about.findChildren<QLabel*>()) shown += label->text() + "\n";
  for (const char* address : {kCommentsAddress, kWebAddress}) {
    EXPECT_EQ(shown.count(address), 1) << address << " in " << shown.toStdString();
  }
  EXPECT_FALSE(shown.contains(QString(kCommentsAddress) + ".")) << shown.toStdString();
  EXPECT_TRUE(Find<QLabel>(about, "Label5")->text().endsWith('.')) << shown.toStdString();
}

// A translator that marks every text it is asked for: a text that shows
// unmarked has not gone through tr().
class MarkingTranslator final : public QTranslator {
 public:
  QString translate(const char*, const char* source, const char*, int) const override {
    return "[" + QString::fromUtf8(source) + "]";
  }
  bool isEmpty() const override { return false; }
};

bool Marked(const QString& text) {
  return text.startsWith('[') && text.endsWith(']');
}

TEST(Translations, ReachEveryTextOfBothWindows) {
  MarkingTranslator marking;
  QCoreApplication::installTranslator(&marking);
  testing::WindowRig rig;
  Main& window = *rig.window;
  QStringList texts{window.windowTitle()};
  const auto collect = [&texts](QWidget& widget) {
    for (const QLabel* label : widget.findChildren<QLabel*>()) {
      if (label->objectName() != "Label1") texts << label->text();  // the pi sign is no word
    }
    for (const QPushButton* button : widget.findChildren<QPushButton*>()) texts << button->text();
    for (const QGroupBox* frame : widget.findChildren<QGroupBox*>()) texts << frame->title();
    for (const QAction* action : widget.findChildren<QAction*>()) {
      if (!action->isSeparator() && !action->text().isEmpty()) texts << action->text();
    }
  };
  collect(window);
  texts << Find<QLabel>(window, "Label1")->accessibleName();
  rig.Tick();
  collect(window);  // the status lines
  AboutPlay about(&window);
  texts << about.windowTitle();
  collect(about);
  Action(window, "ConvergenceChartMenu")->trigger();
  auto* chart = Find<ConvergenceWindow>(window, "ConvergenceWindow");
  texts << chart->windowTitle();
  collect(*chart);
  auto* drawing = Find<ConvergenceChart>(*chart, "ConvergenceChart");
  texts << drawing->accessibleName();
  for (const auto& [text, rect] : testing::ConvergenceChartPeer::LayOut(*drawing).texts) {
    if (text.contains(QRegularExpression("[a-z]"))) texts << text;  // the words, not the numbers
  }
  rig.openDialog->answers.push_back(QString("/no/such/folder/pairs.bin"));
  Action(window, "AnalyzeFile")->trigger();
  testing::WaitForTheOpen(window);
  texts << rig.messenger->messages;
  QCoreApplication::removeTranslator(&marking);

  EXPECT_GT(texts.size(), 20);
  for (const QString& text : texts) EXPECT_TRUE(Marked(text)) << text.toStdString();
}

// Only the words change with the language: the decimal separator of the status
// line follows the locale, the saved history keeps "." in every language.
TEST(Translations, LeaveTheSavedNumbersAsTheyAre) {
  std::map<std::string, std::map<std::string, std::string>> saved;
  std::map<std::string, QString> estimate_line;
  for (const char* name : testing::kShippedLanguages) {
    Language language(name);
    testing::WindowRig rig;
    rig.Load(TrialTally{100, 39, 3.1});
    for (int tick = 0; tick < 3; ++tick) rig.Tick();
    Find<QPushButton>(*rig.window, "StartStopCommand")->click();
    estimate_line[name] = Find<QLabel>(*rig.window, "EstimateText")->text();
    (void)rig.window->SaveForSessionEnd();
    saved[name] = rig.store->values;
  }
  EXPECT_EQ(saved["de"], saved["en"]);
  EXPECT_EQ(saved["fr"], saved["en"]);
  EXPECT_EQ(saved["en"]["Estimate"], " 3.03405330408923");
  EXPECT_EQ(estimate_line["en"], "is about 3.0341");
  EXPECT_EQ(estimate_line["de"], "ist ungefähr 3,0341");
  EXPECT_EQ(estimate_line["fr"], "vaut environ 3,0341");
}

}  // namespace
}  // namespace orvanel
