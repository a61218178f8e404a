// The settings file on a real file system: every shape a file can take, and
// every kind of thing the name can stand for.
#include "history/settings_file_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "history/saved_history.h"
#include "history/user_config_folder.h"
#include "support/fakes.h"
#include "support/temp_files.h"

namespace orvanel {
namespace {

namespace fs = std::filesystem;
using State = StoreCondition::State;
using Kind = FileFailure::Kind;

const TrialTally kSaved{1000, 392, 3.14};

class SettingsFile : public ::testing::Test {
 protected:
  std::string Path() const { return (folder_.Path() / "Orvanel" / "Orvanel.conf").string(); }
  void Put(const std::string& bytes) const {
    fs::create_directories(fs::path(Path()).parent_path());
    std::ofstream(Path(), std::ios::binary) << bytes;
  }
  std::string Bytes() const {
    std::ifstream in(Path(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  SettingsFileStore Store(SettingsFileAccess access = {}) const {
    return SettingsFileStore(Path(), HistorySection(), folder_.Path().string(),
                             SettingsFileStore::kReadPatience, std::move(access));
  }
  // The files beside the settings file whose name tells they were set aside.
  std::vector<std::string> SetAside() const {
    std::vector<std::string> contents;
    for (const auto& entry : fs::directory_iterator(fs::path(Path()).parent_path())) {
      if (entry.path().filename().string().rfind("Orvanel.conf.unreadable-", 0) == 0) {
        std::ifstream in(entry.path(), std::ios::binary);
        contents.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      }
    }
    return contents;
  }
  // Loads and saves through a store of its own, each on a helper thread, so that a
  // file that makes either wait fails the test instead of hanging it.
  template <typename Result>
  static Result Bounded(std::function<Result()> work) {
    auto done = std::async(std::launch::async, std::move(work));
    if (done.wait_for(testing::kBeyondAnyLoad) != std::future_status::ready) {
      ADD_FAILURE() << "the store waited";
      std::quick_exit(1);
    }
    return done.get();
  }
  LoadedHistory Load(SettingsFileAccess access = {}) const {
    return Bounded<LoadedHistory>([this, access] {
      SettingsFileStore store = Store(access);
      return LoadHistory(store);
    });
  }
  // A run: loads, then saves `tally`.
  std::optional<FileFailure> Save(const TrialTally& tally, SettingsFileAccess access = {}) const {
    return Bounded<std::optional<FileFailure>>(
        [this, tally, access]() -> std::optional<FileFailure> {
          SettingsFileStore store = Store(access);
          (void)LoadHistory(store);
          try {
            SaveHistory(store, tally);
            return std::nullopt;
          } catch (const HistoryError& error) {
            return error.Why();
          }
        });
  }
  testing::TempFolder folder_;
};

// What a hand-edited file loads as, what the user is told, and that the save
// which follows leaves a file the next run reads without a word.
struct ShapeCase {
  const char* name;
  std::string bytes;
  TrialTally loads;
  State state;
  bool toldOfOtherLines;
  bool keptAside = false;  // could not be read: the save keeps it beside the new file
};

std::ostream& operator<<(std::ostream& out, const ShapeCase& c) {
  return out << c.name;
}

const std::string kValid = "[History]\nEstimate=\" 3.13956\"\nTotal=\" 100001\"\nHits=\" 39201\"\n";
const TrialTally kValidTally{100001, 39201, 3.13956};

std::string RandomBytes(unsigned seed) {
  std::mt19937 engine(seed);
  std::string bytes;
  for (int i = 0; i < 4000; ++i) bytes += static_cast<char>(engine());
  return bytes;
}

class SettingsFileShapes : public SettingsFile, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(SettingsFileShapes, LoadWhatCanBeReadAndAreReplacedByAFileThatReadsBack) {
  const ShapeCase& c = GetParam();
  Put(c.bytes);
  const LoadedHistory loaded = Load();
  EXPECT_EQ(loaded.tally, c.loads);
  EXPECT_EQ(loaded.store.state, c.state);
  EXPECT_EQ(loaded.store.holdsOtherLines, c.toldOfOtherLines);
  EXPECT_EQ(loaded.store.setAsideOnSave, c.keptAside);

  ASSERT_EQ(Save(kSaved), std::nullopt);
  EXPECT_EQ(SetAside(),
            c.keptAside ? std::vector<std::string>{c.bytes} : std::vector<std::string>{})
      << "the bytes that could not be read survive";
  const LoadedHistory next_run = Load();
  EXPECT_EQ(next_run.tally, kSaved) << Bytes();
  EXPECT_EQ(next_run.store, StoreCondition{}) << Bytes();
  EXPECT_EQ(Bytes(), "[History]\nEstimate=\" 3.14\"\nTotal=\" 1000\"\nHits=\" 392\"\n");
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsFileShapes,
    ::testing::Values(
        ShapeCase{"AsWritten", kValid, kValidTally, State::kReadable, false},
        ShapeCase{"HashNoteAfterTheHeader", "[History]\n#note\n" + kValid.substr(10), kValidTally,
                  State::kReadable, true},
        ShapeCase{"HashNoteAtTheEndWithoutALineEnd", kValid + "#note", kValidTally,
                  State::kReadable, true},
        ShapeCase{"ByteOrderMark", "\xEF\xBB\xBF" + kValid, kValidTally, State::kReadable, false},
        ShapeCase{"LineWithoutEqualsElsewhere", kValid + "[Other]\nno equals sign\n", kValidTally,
                  State::kReadable, true},
        ShapeCase{"ABackslashKeyThatQSettingsCannotReadBack", kValid + "[Notes]\nx\\ =1\n",
                  kValidTally, State::kReadable, true},
        ShapeCase{"ASecondSectionOfJunk", kValid + "[Junk]\n" + std::string(51'000, 'j') + "=1\n",
                  kValidTally, State::kReadable, true},
        ShapeCase{"CountOfTenMillionDigits",
                  "[History]\nTotal=" + std::string(10'000'000, '7') + "\nHits=1\n", TrialTally{},
                  State::kReadable, false},
        ShapeCase{"RandomBytes1", RandomBytes(1), TrialTally{}, State::kDamaged, true},
        ShapeCase{"RandomBytes2", RandomBytes(2), TrialTally{}, State::kDamaged, true},
        ShapeCase{"RandomBytes3", RandomBytes(3), TrialTally{}, State::kDamaged, true},
        ShapeCase{"Empty", "", TrialTally{}, State::kReadable, false},
        ShapeCase{"FarTooLarge", std::string(SettingsFileStore::kLargestFile + 1, '\n'),
                  TrialTally{}, State::kUnreadable, false, true},
        ShapeCase{"FarTooLargeThoughItBeginsWithTheTally",
                  kValid + std::string(SettingsFileStore::kLargestFile, '#'), TrialTally{},
                  State::kUnreadable, false, true},
        ShapeCase{"BlanksAroundTheSectionName", "[ History ]\nTotal=\" 7\"\n",
                  TrialTally{7, 0, 0.0}, State::kReadable, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFile, NoFileIsAFirstRunAndTheSaveMakesItsFolder) {
  const LoadedHistory loaded = Load();
  EXPECT_EQ(loaded.tally, TrialTally{});
  EXPECT_EQ(loaded.store, StoreCondition{});
  EXPECT_EQ(Save(kSaved), std::nullopt);
  EXPECT_EQ(Load().tally, kSaved);
}

// Whatever else the name stands for is never opened for writing nor replaced;
// a link to a regular file is followed and stays a link.
struct NameCase {
  const char* name;
  // Puts something at `path` (in `folder`); false when this system cannot.
  bool (*make)(const fs::path& path, const fs::path& folder);
  std::optional<FileFailure> fault;  // of both the load and the save; nothing: both work
  fs::file_type stays;               // what the name is after the save
  std::int32_t loadedTotal = 0;      // where both work
};

std::ostream& operator<<(std::ostream& out, const NameCase& c) {
  return out << c.name;
}

bool MakeFifo(const fs::path& path, const fs::path&) {
  return ::mkfifo(path.c_str(), 0600) == 0;
}

bool MakeSocket(const fs::path& path, const fs::path&) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.native().size() >= sizeof address.sun_path) return false;
  path.native().copy(address.sun_path, path.native().size());
  const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const bool bound = ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(socket);
  return bound;
}

// A private copy of a device node like /dev/null: what a wrong save would
// replace is only this copy. Only root may make one.
bool MakeDevice(const fs::path& path, const fs::path&) {
  return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

bool LinkTo(const fs::path& path, const fs::path& target) {
  std::error_code error;
  fs::create_symlink(target, path, error);
  return !error;
}

const FileFailure kNotRegular{Kind::kNotRegular, 0};

const NameCase kNames[] = {
    {"Fifo", MakeFifo, kNotRegular, fs::file_type::fifo},
    {"Socket", MakeSocket, kNotRegular, fs::file_type::socket},
    {"Device", MakeDevice, kNotRegular, fs::file_type::character},
    {"Folder", [](const fs::path& path, const fs::path&) { return fs::create_directory(path); },
     kNotRegular, fs::file_type::directory},
    {"LinkToAFifo",
     [](const fs::path& path, const fs::path& folder) {
       return MakeFifo(folder / "fifo", folder) && LinkTo(path, folder / "fifo");
     },
     kNotRegular, fs::file_type::symlink},
    {"LinkToADevice",
     [](const fs::path& path, const fs::path& folder) {
       return MakeDevice(folder / "null", folder) && LinkTo(path, folder / "null");
     },
     kNotRegular, fs::file_type::symlink},
    // As no file yet: the save makes it where the link leads.
    {"LinkToNothing",
     [](const fs::path& path, const fs::path& folder) { return LinkTo(path, folder / "gone"); },
     std::nullopt, fs::file_type::symlink},
    {"LinkLoop", [](const fs::path& path, const fs::path&) { return LinkTo(path, path); },
     FileFailure{Kind::kSystem, ELOOP}, fs::file_type::symlink},
    {"LinkToARegularFile",
     [](const fs::path& path, const fs::path& folder) {
       std::ofstream(folder / "dotfiles.conf") << "[History]\nTotal=7\n";
       return LinkTo(path, folder / "dotfiles.conf");
     },
     std::nullopt, fs::file_type::symlink, 7},
};

class SettingsFileNames : public SettingsFile, public ::testing::WithParamInterface<NameCase> {};

TEST_P(SettingsFileNames, AreReadAndReplacedOnlyWhenTheyLeadToARegularFile) {
  const NameCase& c = GetParam();
  const fs::path path = Path();
  fs::create_directories(path.parent_path());
  if (!c.make(path, folder_.Path())) GTEST_SKIP() << "this system cannot make a " << c.name;
  struct stat before {};
  ::stat(path.c_str(), &before);

  const LoadedHistory loaded = Load();
  EXPECT_EQ(loaded.store.state, c.fault ? State::kUnreadable : State::kReadable);
  EXPECT_EQ(loaded.store.fault, c.fault.value_or(FileFailure{}));
  EXPECT_EQ(Save(kSaved), c.fault);

  EXPECT_EQ(fs::symlink_status(path).type(), c.stays);
  if (c.fault) {
    struct stat after {};
    ::stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino) << "what the name leads to was not replaced";
  } else {
    EXPECT_EQ(loaded.tally.Total, c.loadedTotal);
    EXPECT_EQ(Load().tally, kSaved) << "saved into the file the link leads to";
  }
}

INSTANTIATE_TEST_SUITE_P(Names, SettingsFileNames, ::testing::ValuesIn(kNames),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFile, ASaveThatCannotBeMadeNamesTheSystemsReason) {
  // The folder the file needs is a regular file: unwritable even for root.
  std::ofstream(folder_.Path() / "Orvanel") << "not a folder";
  const StoreCondition first_run = Load().store;
  EXPECT_EQ(first_run.state, State::kReadable) << "no file can be there: a first run";
  EXPECT_EQ(first_run.unwritable, (FileFailure{Kind::kSystem, ENOTDIR})) << "told at the start";
  EXPECT_EQ(Save(kSaved), (FileFailure{Kind::kSystem, ENOTDIR}));

  SettingsFileStore too_long((folder_.Path() / std::string(300, 'n')).string(), HistorySection(),
                             folder_.Path().string());
  try {
    SaveHistory(too_long, kSaved);
    ADD_FAILURE() << "the save was reported as done";
  } catch (const HistoryError& error) {
    EXPECT_EQ(error.Why(), (FileFailure{Kind::kSystem, ENAMETOOLONG}));
  }
}

// A file that is there but could not be read (no permission, a file system
// that did not answer) may hold the only copy of a tally: the save keeps it,
// under a name of its own, or fails and leaves it.
TEST_F(SettingsFile, AFileThatCouldNotBeReadIsSetAsideNeverReplaced) {
  const auto unreadable = [](FileFailure fault) {
    SettingsFileAccess access;
    access.read = [fault](const std::string&, std::size_t) {
      return SettingsFileRead{SettingsFileRead::Outcome::kFailed, {}, fault};
    };
    return access;
  };
  // A read that answers only once the load has given up on it.
  const auto answer = std::make_shared<std::promise<void>>();
  const std::shared_future<void> answered = answer->get_future().share();
  SettingsFileAccess stalling;
  stalling.read = [answered](const std::string& path, std::size_t limit) {
    answered.wait();
    return ReadSettingsFileBytes(path, limit);
  };
  struct Case {
    const char* name;
    SettingsFileAccess access;
    std::chrono::milliseconds readPatience;
    bool stalls;
  } cases[] = {
      {"PermissionDenied", unreadable({Kind::kSystem, EACCES}), SettingsFileStore::kReadPatience,
       false},
      {"ReadError", unreadable({Kind::kSystem, EIO}), SettingsFileStore::kReadPatience, false},
      {"NoAnswerInTime", stalling, std::chrono::milliseconds(20), true}};
  for (const Case& c : cases) {
    fs::remove_all(fs::path(Path()).parent_path());
    Put(kValid);
    SettingsFileStore store(Path(), HistorySection(), folder_.Path().string(), c.readPatience,
                            c.access);
    const LoadedHistory loaded = LoadHistory(store);
    if (c.stalls) answer->set_value();
    EXPECT_EQ(loaded.tally, TrialTally{}) << c.name;
    EXPECT_TRUE(loaded.store.setAsideOnSave) << c.name;
    SaveHistory(store, kSaved);
    EXPECT_EQ(SetAside(), std::vector<std::string>{kValid}) << c.name << ": the bytes survive";
    EXPECT_EQ(Load().tally, kSaved) << c.name;
    SaveHistory(store, TrialTally{1001, 392, 3.14});
    EXPECT_EQ(SetAside().size(), 1u) << c.name << ": only what could not be read is set aside";
  }

  // When it cannot be set aside, nothing is written at all.
  fs::remove_all(fs::path(Path()).parent_path());
  Put(kValid);
  SettingsFileAccess stuck = unreadable({Kind::kSystem, EACCES});
  stuck.setAside = [](const std::string&, const std::string&) {
    return std::optional(FileFailure{Kind::kSystem, EROFS});
  };
  EXPECT_EQ(Save(kSaved, stuck), (FileFailure{Kind::kUnreadableInPlace, EROFS}));
  EXPECT_EQ(Bytes(), kValid);
}

// A link to a file that could not be read stays a link, run after run: the
// file it leads to is set aside, and the new one is made where it led.
TEST_F(SettingsFile, ALinkToAFileSetAsideStaysALink) {
  const fs::path path = Path();
  const fs::path kept = folder_.Path() / "dotfiles.conf";
  fs::create_directories(path.parent_path());
  { std::ofstream(kept) << kValid; }
  fs::resize_file(kept, SettingsFileStore::kLargestFile + 1);  // too large to be read
  ASSERT_TRUE(LinkTo(path, kept));
  for (const std::int32_t total : {1, 2}) {
    SettingsFileStore store = Store();
    (void)LoadHistory(store);
    const TrialTally tally{total, 0, 0.0};
    EXPECT_NO_THROW(SaveHistory(store, tally)) << "run " << total;
    EXPECT_EQ(fs::symlink_status(path).type(), fs::file_type::symlink) << "run " << total;
    EXPECT_EQ(Load().tally, tally) << "run " << total;
  }
  std::vector<fs::path> aside;
  for (const auto& entry : fs::directory_iterator(folder_.Path())) {
    if (entry.path().filename().string().rfind("dotfiles.conf.unreadable-", 0) == 0) {
      aside.push_back(entry.path());
    }
  }
  ASSERT_EQ(aside.size(), 1u) << "set aside once, beside the file the link leads to";
  EXPECT_EQ(fs::file_size(aside.front()), SettingsFileStore::kLargestFile + 1);
}

// Two copies that set aside at the same second never replace each other's.
TEST_F(SettingsFile, SetAsidesInOneSecondKeepEveryFile) {
  const fs::path path = Path();
  fs::create_directories(path.parent_path());
  for (const char* bytes : {"first", "second", "third"}) {
    { std::ofstream(path) << bytes; }
    EXPECT_EQ(SetAsideUnreadable(path.string(), "20261210-120000"), std::nullopt);
  }
  std::vector<std::string> kept = SetAside();
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(kept, (std::vector<std::string>{"first", "second", "third"}));
}

// Whatever the user's umask, the file stays readable and writable by its
// owner and the folder usable, so that the next start reads the tally.
TEST_F(SettingsFile, TheUmaskNeverCostsTheTally) {
  const fs::path folder = fs::path(Path()).parent_path();
  for (const mode_t mask : {mode_t{0477}, mode_t{0277}}) {
    fs::remove_all(folder);
    const mode_t before = ::umask(mask);
    const auto fault = Save(kSaved);
    ::umask(before);
    EXPECT_EQ(fault, std::nullopt) << std::oct << mask;
    struct stat file {};
    struct stat made {};
    ASSERT_EQ(::stat(Path().c_str(), &file), 0) << std::oct << mask;
    ASSERT_EQ(::stat(folder.c_str(), &made), 0) << std::oct << mask;
    EXPECT_EQ(file.st_mode & 0600, 0600u) << std::oct << mask;
    EXPECT_EQ(made.st_mode & 0700, 0700u) << std::oct << mask;
    EXPECT_EQ(Load().tally, kSaved) << std::oct << mask;
  }
}

// One write at a time: a save that finds an earlier one still waiting for the
// file system waits for it within its own patience, or gives up; a checkpoint
// does not wait at all; an older tally never lands after a newer one. A save
// whose own write is still under way may land yet, and says so.
TEST_F(SettingsFile, SavesNeverOvertakeEachOther) {
  std::promise<void> answer;
  std::shared_future<void> answered = answer.get_future().share();
  const auto texts = std::make_shared<std::vector<std::string>>();
  const auto mutex = std::make_shared<std::mutex>();
  SettingsFileAccess access;
  access.replace = [answered, texts, mutex](const std::string& path, const std::string& text,
                                            const std::string& base) {
    bool first = false;
    {
      const std::lock_guard lock(*mutex);
      texts->push_back(text);
      first = texts->size() == 1;
    }
    if (first) answered.wait();  // the first write hangs until answered
    return ReplaceSettingsFile(path, text, base);
  };
  SettingsFileStore store(Path(), HistorySection(), folder_.Path().string(),
                          SettingsFileStore::kReadPatience, access);
  (void)LoadHistory(store);
  const auto fault = [&store](const TrialTally& tally, std::chrono::milliseconds patience) {
    try {
      SaveHistory(store, tally, patience);
      return std::optional<FileFailure>();
    } catch (const HistoryError& error) {
      return std::optional(error.Why());
    }
  };
  const auto written = [texts, mutex] {
    const std::lock_guard lock(*mutex);
    return *texts;
  };
  EXPECT_EQ(fault(TrialTally{1, 0, 0.0}, std::chrono::milliseconds(50)),
            (FileFailure{Kind::kUnfinished, 0}));
  EXPECT_EQ(fault(TrialTally{2, 0, 0.0}, std::chrono::milliseconds(50)),
            (FileFailure{Kind::kNoAnswer, 0}))
      << "the first is still in flight";
  EXPECT_EQ(CheckpointHistory(store, TrialTally{3, 0, 0.0}), nullptr)
      << "a checkpoint is not begun while the first is in flight";
  EXPECT_LE(written().size(), 1u) << "neither began to write";
  answer.set_value();
  EXPECT_EQ(fault(TrialTally{4, 0, 0.0}, testing::kBeyondAnyLoad), std::nullopt);
  const auto checkpoint = CheckpointHistory(store, TrialTally{5, 0, 0.0});
  ASSERT_NE(checkpoint, nullptr);
  ASSERT_TRUE(checkpoint->FinishedBy(std::chrono::steady_clock::now() + testing::kBeyondAnyLoad));
  EXPECT_EQ(checkpoint->Fault(), std::nullopt);
  const std::vector<std::string> texts_written = written();
  ASSERT_EQ(texts_written.size(), 3u);
  EXPECT_NE(texts_written[1].find("Total=\" 4\""), std::string::npos);
  EXPECT_EQ(Load().tally.Total, 5) << "the newest tally is the one that stays";
}

// Many saves at once, each with a temporary file of its own: all of them hold.
TEST_F(SettingsFile, ConcurrentSavesEachHold) {
  std::vector<std::future<int>> failures;
  for (int writer = 0; writer < 4; ++writer) {
    failures.push_back(std::async(std::launch::async, [this, writer] {
      SettingsFileStore store = Store();
      int failed = 0;
      for (int save = 0; save < 50; ++save) {
        try {
          SaveHistory(store, TrialTally{writer * 100 + save, 0, 0.0});
        } catch (const HistoryError&) {
          ++failed;
        }
      }
      return failed;
    }));
  }
  for (auto& failed : failures) EXPECT_EQ(failed.get(), 0);
  EXPECT_EQ(Load().store, StoreCondition{});
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(Path()).parent_path()), {}), 1)
      << "no temporary file is left";
}

// Folders are made only below the one that must be there already: never right
// in the file system's root, nor for a home that is not there; folders that are
// there are used wherever they lie.
// A save that cannot be made is told at the start, while the person can still
// do something about it.
TEST_F(SettingsFile, AFolderThatCannotBeWrittenIsToldAtTheStart) {
  EXPECT_EQ(Load().store.unwritable, std::nullopt) << "a first run in a writable home";
  SettingsFileStore missing((folder_.Path() / "gone" / ".config" / "o.conf").string(),
                            HistorySection(), (folder_.Path() / "gone").string());
  EXPECT_EQ(LoadHistory(missing).store.unwritable, (FileFailure{Kind::kSystem, ENOENT}));
  SettingsFileAccess read_only;
  read_only.unwritable = [](const std::string&, const std::string&) {
    return std::optional(FileFailure{Kind::kSystem, EROFS});
  };
  EXPECT_EQ(Load(read_only).store.unwritable, (FileFailure{Kind::kSystem, EROFS}));
}

TEST_F(SettingsFile, FoldersAreMadeOnlyBelowAnExistingBase) {
  const std::string below_missing = (folder_.Path() / "gone" / ".config" / "o.conf").string();
  SettingsFileStore missing(below_missing, HistorySection(), (folder_.Path() / "gone").string());
  EXPECT_THROW(SaveHistory(missing, kSaved), HistoryError);
  EXPECT_FALSE(fs::exists(folder_.Path() / "gone"));
  SettingsFileStore root("/orvanel-test-never/o.conf", HistorySection(), "/");
  EXPECT_EQ(LoadHistory(root).store.unwritable, (FileFailure{Kind::kSystem, ENOENT}));
  EXPECT_THROW(SaveHistory(root, kSaved), HistoryError);
  EXPECT_FALSE(fs::exists("/orvanel-test-never"));
  // A folder that is there is used, even right below the root (XDG_CONFIG_HOME
  // set to /mnt, say): the temporary folder stands for one.
  const fs::path below_root = fs::temp_directory_path() / folder_.Path().filename() / "Orvanel";
  SettingsFileStore near_root(below_root / "o.conf", HistorySection(), "/");
  EXPECT_EQ(LoadHistory(near_root).store.unwritable, std::nullopt);
  EXPECT_NO_THROW(SaveHistory(near_root, kSaved));
  EXPECT_TRUE(fs::is_regular_file(below_root / "o.conf"));
}

TEST_F(SettingsFile, ASaveKeepsThePermissionsAndLeavesNoTemporaryBehind) {
  Put(kValid);
  ::chmod(Path().c_str(), 0460);
  // What a copy of the program killed in the middle of a save leaves, beside one
  // of a copy that is still saving (this very process's parent is alive).
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string abandoned = Path() + ".saving-" + std::to_string(gone);
  const std::string in_progress = Path() + ".saving-" + std::to_string(::getppid());
  std::ofstream(abandoned) << "half";
  std::ofstream(in_progress) << "half";

  ASSERT_EQ(Save(kSaved, SettingsFileAccess{}), std::nullopt);
  struct stat status {};
  ::stat(Path().c_str(), &status);
  EXPECT_EQ(status.st_mode & 07777, 0660u) << "the owner may always read and write it";
  EXPECT_FALSE(fs::exists(abandoned));
  EXPECT_TRUE(fs::exists(in_progress)) << "another copy's save is left alone";
  fs::remove(in_progress);
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(Path()).parent_path()), {}), 1);
}

// Where the file lies, from the environment as the XDG rules read it.
TEST(FindUserConfigFolder, FollowsTheEnvironmentAsTheXdgRulesSay) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> environment;
    std::string databaseHome;
    std::optional<UserConfigFolder> place;
  } cases[] = {
      {"ConfigHome",
       {{"XDG_CONFIG_HOME", "/x/conf"}, {"HOME", "/h"}},
       "/d",
       UserConfigFolder{"/x/conf", "/x"}},
      {"RelativeConfigHomeIsNone",
       {{"XDG_CONFIG_HOME", "conf"}, {"HOME", "/h"}},
       "/d",
       UserConfigFolder{"/h/.config", "/h"}},
      {"EmptyConfigHomeIsNone",
       {{"XDG_CONFIG_HOME", ""}, {"HOME", "/h"}},
       "/d",
       UserConfigFolder{"/h/.config", "/h"}},
      {"NoHomeVariable", {}, "/d", UserConfigFolder{"/d/.config", "/d"}},
      {"RelativeHome", {{"HOME", "h"}}, "/d", UserConfigFolder{"/d/.config", "/d"}},
      {"HomeOfAnyEncoding",
       {{"HOME", "/home/j\xFCrgen"}},
       "/d",
       UserConfigFolder{"/home/j\xFCrgen/.config", "/home/j\xFCrgen"}},
      {"NoHomeAtAll", {{"HOME", ""}}, "", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto variable = [&c](const char* name) -> const char* {
      const auto found = c.environment.find(name);
      return found == c.environment.end() ? nullptr : found->second.c_str();
    };
    EXPECT_EQ(FindUserConfigFolder(variable, c.databaseHome), c.place) << c.name;
  }
}

}  // namespace
}  // namespace orvanel
