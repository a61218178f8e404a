// The settings file on a real file system: every shape a file can take, and
// every kind of thing the name can stand for.
#include "history/settings_file_store.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <optional>
#include <random>
#include <string>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include "history/saved_history.h"
#include "support/fakes.h"
#include "support/temp_files.h"

namespace orvanel {
namespace {

namespace fs = std::filesystem;
using State = StoreCondition::State;
using Kind = StoreFault::Kind;

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
  SettingsFileStore Store() const { return SettingsFileStore(Path(), HistoryLayout()); }
  // Loads and saves through a store of its own, each on a helper thread, so that a
  // file that makes either wait fails the test instead of hanging it.
  template <typename Result>
  static Result Bounded(std::function<Result()> work) {
    auto done = std::async(std::launch::async, std::move(work));
    if (done.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
      ADD_FAILURE() << "the store waited";
      std::quick_exit(1);
    }
    return done.get();
  }
  LoadedHistory Load() const {
    return Bounded<LoadedHistory>([this] {
      SettingsFileStore store = Store();
      return LoadHistory(store);
    });
  }
  std::optional<StoreFault> Save(const TrialTally& tally) const {
    return Bounded<std::optional<StoreFault>>([this, tally]() -> std::optional<StoreFault> {
      SettingsFileStore store = Store();
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

  ASSERT_EQ(Save(kSaved), std::nullopt);
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
                  TrialTally{}, State::kUnreadable, false}),
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
  std::optional<StoreFault> fault;  // of both the load and the save; nothing: both work
  fs::file_type stays;              // what the name is after the save
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

const StoreFault kNotRegular{Kind::kNotRegularFile, 0};

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
    {"LinkToNothing",
     [](const fs::path& path, const fs::path& folder) { return LinkTo(path, folder / "gone"); },
     kNotRegular, fs::file_type::symlink},
    {"LinkLoop", [](const fs::path& path, const fs::path&) { return LinkTo(path, path); },
     StoreFault{Kind::kSystem, ELOOP}, fs::file_type::symlink},
    {"LinkToARegularFile",
     [](const fs::path& path, const fs::path& folder) {
       std::ofstream(folder / "dotfiles.conf") << "[History]\nTotal=7\n";
       return LinkTo(path, folder / "dotfiles.conf");
     },
     std::nullopt, fs::file_type::symlink},
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
  EXPECT_EQ(loaded.store.fault, c.fault.value_or(StoreFault{}));
  EXPECT_EQ(Save(kSaved), c.fault);

  EXPECT_EQ(fs::symlink_status(path).type(), c.stays);
  if (c.fault) {
    struct stat after {};
    ::stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino) << "what the name leads to was not replaced";
  } else {
    EXPECT_EQ(loaded.tally.Total, 7);
    EXPECT_EQ(Load().tally, kSaved) << "saved into the file the link leads to";
  }
}

INSTANTIATE_TEST_SUITE_P(Names, SettingsFileNames, ::testing::ValuesIn(kNames),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsFile, ASaveThatCannotBeMadeNamesTheSystemsReason) {
  // The folder the file needs is a regular file: unwritable even for root.
  std::ofstream(folder_.Path() / "Orvanel") << "not a folder";
  EXPECT_EQ(Load().store, StoreCondition{}) << "no file can be there: a first run";
  EXPECT_EQ(Save(kSaved), (StoreFault{Kind::kSystem, ENOTDIR}));

  SettingsFileStore too_long((folder_.Path() / std::string(300, 'n')).string(), HistoryLayout());
  try {
    SaveHistory(too_long, kSaved);
    ADD_FAILURE() << "the save was reported as done";
  } catch (const HistoryError& error) {
    EXPECT_EQ(error.Why(), (StoreFault{Kind::kSystem, ENAMETOOLONG}));
  }
}

TEST_F(SettingsFile, ASaveKeepsThePermissionsAndLeavesNoTemporaryBehind) {
  Put(kValid);
  ::chmod(Path().c_str(), 0640);
  // What a copy of the program killed in the middle of a save leaves, beside one
  // of a copy that is still saving (this very process's parent is alive).
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string abandoned = Path() + ".saving-" + std::to_string(gone);
  const std::string in_progress = Path() + ".saving-" + std::to_string(::getppid());
  std::ofstream(abandoned) << "half";
  std::ofstream(in_progress) << "half";

  ASSERT_EQ(Save(kSaved), std::nullopt);
  struct stat status {};
  ::stat(Path().c_str(), &status);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_FALSE(fs::exists(abandoned));
  EXPECT_TRUE(fs::exists(in_progress)) << "another copy's save is left alone";
  fs::remove(in_progress);
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(Path()).parent_path()), {}), 1);
}

}  // namespace
}  // namespace orvanel
