#include "qsettings_store.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <random>

#include "saved_history.h"
#include "store_location.h"
#include "support/fakes.h"

namespace orvanel {
namespace {

TEST(StoreLocation, WindowsKeepsTheHistoryUnderVbAndVbaProgramSettings) {
  const StoreLocation windows = LocationFor(Platform::kWindows, "Orvanel");
  EXPECT_EQ(windows.organization, "VB and VBA Program Settings");
  EXPECT_EQ(windows.application, "Orvanel");
  for (const Platform platform : {Platform::kLinux, Platform::kMacOS}) {
    const StoreLocation location = LocationFor(platform, "Orvanel");
    EXPECT_EQ(location.organization, "Orvanel");
    EXPECT_EQ(location.application, "Orvanel");
  }
}

// Every test gets its own empty per-user settings folder; the user's real
// settings are never touched.
class QSettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
  }
  QString ConfigFile() const { return folder_.filePath("Orvanel/Orvanel.conf"); }
  QString RawFile() const {
    QFile file(ConfigFile());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
  }
  void WriteRawFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  QTemporaryDir folder_;
};

TEST_F(QSettingsStoreTest, LivesInTheUsersOwnConfigurationFolder) {
  QSettingsStore store(kApplicationName);
  (void)store.Read("History", "Total", "0");
  EXPECT_EQ(store.Location(), ConfigFile().toStdString());
}

TEST_F(QSettingsStoreTest, FirstRunReadsTheDefaults) {
  QSettingsStore store(kApplicationName);
  EXPECT_EQ(store.Read("History", "Estimate", "0"), "0");
  EXPECT_FALSE(QFile::exists(ConfigFile()));
}

TEST_F(QSettingsStoreTest, SavedTallyIsReadBackByTheNextRun) {
  {
    QSettingsStore store(kApplicationName);
    SaveHistory(store, TrialTally{12345, 678, 2.449489742783178});
  }
  const QString raw = RawFile();
  EXPECT_TRUE(raw.contains("[History]")) << raw.toStdString();
  EXPECT_TRUE(raw.contains("Estimate=\" 2.44948974278318\"")) << raw.toStdString();
  EXPECT_TRUE(raw.contains("Total=\" 12345\"")) << raw.toStdString();
  EXPECT_TRUE(raw.contains("Hits=\" 678\"")) << raw.toStdString();

  QSettingsStore next_run(kApplicationName);
  const LoadedHistory loaded = LoadHistory(next_run);
  EXPECT_EQ(loaded.tally.Total, 12345);
  EXPECT_EQ(loaded.tally.Hits, 678);
  EXPECT_EQ(loaded.tally.Estimate, 2.44948974278318);
}

TEST_F(QSettingsStoreTest, ASecondSaveReplacesTheFileWhole) {
  for (const std::int32_t total : {999999, 5}) {
    QSettingsStore store(kApplicationName);
    SaveHistory(store, TrialTally{total, 1, 3.0});
  }
  const QString raw = RawFile();
  EXPECT_TRUE(raw.contains("Total=\" 5\"")) << raw.toStdString();
  EXPECT_FALSE(raw.contains("999999")) << raw.toStdString();
  EXPECT_EQ(QDir(folder_.filePath("Orvanel")).entryList(QDir::Files), QStringList{"Orvanel.conf"})
      << "no temporary file is left behind";
}

TEST_F(QSettingsStoreTest, HandEditedValuesReachTheReaderAsWritten) {
  WriteRawFile(ConfigFile(), "[History]\nTotal=3,14\nHits=12abc\nEstimate=\"  3.5 \"\n");
  QSettingsStore store(kApplicationName);
  EXPECT_EQ(store.Read("History", "Total", "0"), "3,14");
  EXPECT_EQ(store.Read("History", "Hits", "0"), "12abc");
  const LoadedHistory loaded = LoadHistory(store);
  EXPECT_EQ(loaded.tally.Total, 3);
  EXPECT_EQ(loaded.tally.Hits, 12);
  EXPECT_EQ(loaded.tally.Estimate, 3.5);
  EXPECT_EQ(store.Condition(), StoreCondition{});
}

TEST_F(QSettingsStoreTest, OnlyTheUsersOwnValuesCount) {
  // QSettings would otherwise also look at an organization-wide file.
  WriteRawFile(folder_.filePath("Orvanel.conf"), "[History]\nTotal=777\n");
  QSettingsStore store(kApplicationName);
  EXPECT_EQ(store.Read("History", "Total", "0"), "0");
}

TEST_F(QSettingsStoreTest, AStoreThatCannotBeWrittenIsReported) {
  // The folder the file needs is a regular file: unwritable even for root.
  WriteRawFile(folder_.filePath("Orvanel"), "not a folder");
  QSettingsStore store(kApplicationName);
  try {
    SaveHistory(store, TrialTally{10, 2, 3.0});
    FAIL() << "the save was reported as done";
  } catch (const HistoryError& error) {
    EXPECT_EQ(error.Location(), ConfigFile().toStdString());
  }
}

TEST_F(QSettingsStoreTest, ASaveIsJudgedByTheSaveAloneAfterAFailure) {
  WriteRawFile(folder_.filePath("Orvanel"), "not a folder");
  QSettingsStore store(kApplicationName);
  EXPECT_THROW(SaveHistory(store, TrialTally{10, 2, 3.0}), HistoryError);
  ASSERT_TRUE(QFile::remove(folder_.filePath("Orvanel")));
  EXPECT_NO_THROW(SaveHistory(store, TrialTally{11, 2, 3.0})) << "the cause has gone";
  EXPECT_TRUE(RawFile().contains("Total=\" 11\"")) << RawFile().toStdString();
}

// Random bytes in place of the settings file: the values read from it are not
// trusted, the save that follows is reported as done, and the next run reads
// what was saved without finding any damage.
TEST_F(QSettingsStoreTest, ADamagedFileStartsFromZeroAndIsMendedByTheNextSave) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    std::mt19937 engine(seed);
    QByteArray bytes;
    for (int i = 0; i < 4000; ++i) bytes.append(static_cast<char>(engine()));
    WriteRawFile(ConfigFile(), bytes);
    {
      QSettingsStore store(kApplicationName);
      const LoadedHistory loaded = LoadHistory(store);
      ASSERT_EQ(loaded.store.state, StoreCondition::State::kDamaged) << "seed " << seed;
      ASSERT_EQ(loaded.tally, TrialTally{}) << "seed " << seed;
      ASSERT_NO_THROW(SaveHistory(store, TrialTally{1000, 392, 3.14})) << "seed " << seed;
    }
    QSettingsStore next_run(kApplicationName);
    const LoadedHistory loaded = LoadHistory(next_run);
    ASSERT_FALSE(loaded.StartedFromZero()) << "seed " << seed;
    ASSERT_EQ(loaded.tally, (TrialTally{1000, 392, 3.14})) << "seed " << seed;
  }
}

}  // namespace
}  // namespace orvanel

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
