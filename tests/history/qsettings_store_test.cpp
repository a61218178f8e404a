#include "history/qsettings_store.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>
#include <random>

#include "history/saved_history.h"
#include "history/settings_names.h"
#include "support/fakes.h"

#ifdef Q_OS_WIN
#include <array>
#include <cstddef>
#include <cstdint>
#include <cwchar>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include <windows.h>
#endif

namespace orvanel {
namespace {

TEST(SettingsNames, WindowsKeepsTheHistoryUnderVbAndVbaProgramSettings) {
  const SettingsNames names = SettingsNamesFor("Orvanel");
#ifdef Q_OS_WIN
  EXPECT_EQ(names.organization, "VB and VBA Program Settings");
#else
  EXPECT_EQ(names.organization, "Orvanel");
#endif
  EXPECT_EQ(names.application, "Orvanel");
}

// A place of the store's native form that belongs to the test alone: a file in
// a temporary folder, or on Windows a registry key of its own, removed again.
// The user's own settings are never touched.
class TestPlace {
 public:
  TestPlace() {
#ifdef Q_OS_WIN
    key_ = "HKEY_CURRENT_USER\\Software\\Orvanel Tests\\" +
           QString::number(QCoreApplication::applicationPid()) + "-" + QString::number(++count_);
#else
    key_ = folder_.filePath("Orvanel/Orvanel.conf");
#endif
  }
  ~TestPlace() {
#ifdef Q_OS_WIN
    QSettings(key_, QSettings::NativeFormat).remove("");
#endif
  }
  TestPlace(const TestPlace&) = delete;
  TestPlace& operator=(const TestPlace&) = delete;
  [[nodiscard]] QSettingsStore Store() const {
    return QSettingsStore(QSettingsStore::NativePlace{key_.toStdString()});
  }
  // Where the values lie, below HKEY_CURRENT_USER (Windows).
  [[nodiscard]] std::wstring Key() const {
    return key_.mid(QString("HKEY_CURRENT_USER\\").size()).toStdWString() + L"\\History";
  }
  // The place seen through QSettings itself, as another program would see it.
  [[nodiscard]] std::unique_ptr<QSettings> Settings() const {
    return std::make_unique<QSettings>(key_, QSettings::NativeFormat);
  }

 private:
  QTemporaryDir folder_;
  QString key_;
#ifdef Q_OS_WIN
  static inline int count_ = 0;
#endif
};

TEST(QSettingsStoreAtAPlace, FirstRunReadsTheDefaults) {
  const TestPlace place;
  QSettingsStore store = place.Store();
  EXPECT_EQ(store.Read("History", "Estimate", "0"), "0");
  EXPECT_EQ(store.Condition(), StoreCondition{});
}

// What is saved reads back in the next run, as the text that was written: on
// Windows a string value of the registry under History.
TEST(QSettingsStoreAtAPlace, SavedTallyIsReadBackByTheNextRun) {
  const TestPlace place;
  {
    QSettingsStore store = place.Store();
    SaveHistory(store, TrialTally{12345, 678, 2.449489742783178});
  }
  const auto settings = place.Settings();
  EXPECT_EQ(settings->value("History/Estimate").toString(), " 2.44948974278318");
  EXPECT_EQ(settings->value("History/Total").toString(), " 12345");
  EXPECT_EQ(settings->value("History/Hits").toString(), " 678");
  EXPECT_EQ(settings->value("History/Total").typeId(), QMetaType::QString);

  QSettingsStore next_run = place.Store();
  const LoadedHistory loaded = LoadHistory(next_run);
  EXPECT_EQ(loaded.tally, (TrialTally{12345, 678, 2.44948974278318}));
  EXPECT_FALSE(loaded.StartedFromZero());
}

TEST(QSettingsStoreAtAPlace, HandEditedValuesReachTheReaderAsWritten) {
  const TestPlace place;
  {
    const auto settings = place.Settings();
    settings->setValue("History/Total", "3,14");
    settings->setValue("History/Hits", "12abc");
    settings->setValue("History/Estimate", "  3.5 ");
  }
  QSettingsStore store = place.Store();
  EXPECT_EQ(store.Read("History", "Total", "0"), "3,14");
  const LoadedHistory loaded = LoadHistory(store);
  EXPECT_EQ(loaded.tally, (TrialTally{3, 12, 3.5}));
  EXPECT_EQ(store.Condition(), StoreCondition{});
}

#ifndef Q_OS_WIN
// Every test below gets its own empty per-user settings folder, as QSettings
// finds it itself; the user's real settings are never touched.
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

#endif

#ifdef Q_OS_WIN
// What the registry holds is read by its stored kind and size, as the lenient
// rules read text: a REG_DWORD of 4 bytes or a REG_QWORD of 8 as its unsigned
// value, so that one beyond 32 bits is unusable and told; a number of another
// size is unusable (no byte beyond it is taken), and so is a value of a kind
// that holds no number, told by that kind.
TEST(QSettingsStoreInTheRegistry, ReadsEachKindAndSizeOfValueAsTheRegistryMeansIt) {
  // A value of `type` whose bytes are the first `size` of `value` in memory.
  const auto as = [](DWORD type, const auto& value, std::size_t size = sizeof(value)) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&value);
    return std::make_pair(type, std::vector<BYTE>(bytes, bytes + size));
  };
  const auto text = [&as](DWORD type, const wchar_t* value) {
    return as(type, *value, (wcslen(value) + 1) * sizeof(wchar_t));
  };
  using What = UnusableKind::What;
  struct Case {
    std::string name;
    std::pair<DWORD, std::vector<BYTE>> total;
    std::int32_t loads;
    std::optional<UnusableKind> told;  // what the unusable count is told as
    bool unusable = told.has_value();
  };
  std::vector<Case> cases = {
      {"AString", text(REG_SZ, L" 100001"), 100001, std::nullopt},
      {"AnExpandableString", text(REG_EXPAND_SZ, L"100001"), 100001, std::nullopt},
      {"AList", as(REG_MULTI_SZ, std::array<wchar_t, 4>{L'7', 0, 0, 0}), 0,
       UnusableKind{What::kTexts, 8}},
      {"ADwordAtTheLimit", as(REG_DWORD, std::uint32_t{0x7FFFFFFF}), 0x7FFFFFFF, std::nullopt},
      {"ADwordBeyondIt", as(REG_DWORD, std::uint32_t{0x80000000}), 0, std::nullopt, true},
      {"AQwordBeyond32Bits", as(REG_QWORD, std::uint64_t{1} << 40), 0, std::nullopt, true},
      {"BinaryData", std::make_pair(REG_BINARY, std::vector<BYTE>{'1', 0, '2', 0}), 0,
       UnusableKind{What::kBinary, 4}},
      {"NoKind", std::make_pair(REG_NONE, std::vector<BYTE>{5}), 0, UnusableKind{What::kBinary, 1}},
  };
  // Numbers of every size up to one beyond their own: only theirs is read.
  const std::array<BYTE, 9> five = {5, 0, 0, 0, 0, 0, 0, 0, 0};
  for (std::size_t size = 1; size <= 9; ++size) {
    const std::vector<BYTE> bytes(five.begin(), five.begin() + size);
    for (const auto& [type, name, whole] :
         {std::tuple{REG_DWORD, "Dword", 4u}, std::tuple{REG_QWORD, "Qword", 8u}}) {
      if (type == REG_DWORD && size > 8) continue;
      const bool fits = size == whole;
      cases.push_back({std::string("A") + name + "Of" + std::to_string(size) + "Bytes",
                       {type, bytes},
                       fits ? 5 : 0,
                       fits ? std::nullopt : std::optional(UnusableKind{What::kWrongSize, size})});
    }
  }
  for (const Case& c : cases) {
    const TestPlace place;
    QSettingsStore store = place.Store();
    const std::wstring key = place.Key();
    ASSERT_EQ(::RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"Total", c.total.first,
                                c.total.second.data(), static_cast<DWORD>(c.total.second.size())),
              ERROR_SUCCESS)
        << c.name;
    const LoadedHistory loaded = LoadHistory(store);
    EXPECT_EQ(loaded.tally.Total, c.loads) << c.name;
    EXPECT_EQ(loaded.unusableCount.has_value(), c.unusable) << c.name;
    EXPECT_EQ(loaded.unusableCount ? loaded.unusableCount->kind : std::nullopt, c.told) << c.name;
    EXPECT_EQ(loaded.store.state, StoreCondition::State::kReadable) << c.name;
  }
}

// Sets what everybody may do with `key`: nothing (0), only some `rights`, or
// everything (no list of rights at all).
LSTATUS AllowEverybody(HKEY key, std::optional<DWORD> rights) {
  SECURITY_DESCRIPTOR descriptor;
  ::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  alignas(DWORD) std::array<std::byte, 128> list{};
  auto* acl = reinterpret_cast<ACL*>(list.data());
  ::InitializeAcl(acl, list.size(), ACL_REVISION);
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everybody = nullptr;
  ::AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everybody);
  if (rights.value_or(0) != 0) ::AddAccessAllowedAce(acl, ACL_REVISION, *rights, everybody);
  ::SetSecurityDescriptorDacl(&descriptor, TRUE, rights ? acl : nullptr, FALSE);
  const LSTATUS status = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
  ::FreeSid(everybody);
  return status;
}

// The key's rights taken away, then given back, within one run. A key the run
// could not read at its start is never written, also once it can be read (read
// again, it would still not be what the run started from); a key that only
// refused a write takes the same run's next save.
TEST(QSettingsStoreInTheRegistry, OnceItsRightsReturnSavesOnlyOverWhatItRead) {
  const TrialTally saved{98564, 38600, 3.1412};
  const TrialTally later{98700, 38650, 3.1414};
  const struct {
    const char* name;
    DWORD rights;  // what everybody may do with the key meanwhile
    bool read;     // whether the run can read the key at its start
  } cases[] = {{"NothingAllowed", 0, false}, {"OnlyReading", KEY_READ, true}};
  for (const auto& c : cases) {
    const TestPlace place;
    {
      QSettingsStore first = place.Store();
      SaveHistory(first, saved);
    }
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, place.Key().c_str(), 0, WRITE_DAC, &key),
              ERROR_SUCCESS);
    ASSERT_EQ(AllowEverybody(key, c.rights), ERROR_SUCCESS) << c.name;
    {
      QSettingsStore store = place.Store();
      const LoadedHistory loaded = LoadHistory(store);
      EXPECT_EQ(loaded.tally, c.read ? saved : TrialTally{}) << c.name;
      EXPECT_EQ(loaded.store.state,
                c.read ? StoreCondition::State::kReadable : StoreCondition::State::kUnreadable)
          << c.name;
      EXPECT_EQ(
          loaded.store.unwritable,
          c.read ? std::nullopt : std::optional(FileFailure{FileFailure::Kind::kLeftUnread, 0}))
          << c.name;
      EXPECT_THROW(SaveHistory(store, TrialTally{98600, 38610, 3.1413}), HistoryError) << c.name;
      EXPECT_EQ(AllowEverybody(key, std::nullopt), ERROR_SUCCESS);
      if (c.read) {
        EXPECT_NO_THROW(SaveHistory(store, later)) << c.name;
      } else {
        EXPECT_THROW(SaveHistory(store, later), HistoryError) << c.name;
      }
    }
    ::RegCloseKey(key);
    QSettingsStore next_run = place.Store();
    EXPECT_EQ(LoadHistory(next_run).tally, c.read ? later : saved) << c.name;
  }
}

// A failed save names the key where the tally lies, as the Registry Editor shows it.
TEST(QSettingsStoreInTheRegistry, NamesItsKeyAsTheRegistryEditorShowsIt) {
  const TestPlace place;
  const std::string location = place.Store().Location();
  EXPECT_EQ(location.rfind("HKEY_CURRENT_USER\\Software\\Orvanel Tests\\", 0), 0u) << location;
  EXPECT_EQ(location.substr(location.size() - 8), "\\History") << location;
}
#endif

}  // namespace
}  // namespace orvanel
