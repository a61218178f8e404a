#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "estimator/errors.h"
#include "estimator/estimator.h"
#include "estimator/pair_file.h"
#ifndef _WIN32
#include "base/regular_descriptor.h"
#endif
#include "support/fakes.h"
#include "support/held_file.h"
#include "support/literal_common_factor.h"
#include "support/temp_files.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace orvanel {
namespace {

using testing::EstimatorRig;
using testing::Records;
using testing::TempFolder;
using Log = std::vector<std::string>;

// Pairs of (1, 1) have no divisor to try, so every trial updates the estimate and the bar.
std::vector<std::uint8_t> CoprimeRecords(int pairs) {
  return Records(std::vector<std::int32_t>(2 * pairs, 1));
}

std::vector<int> ProgressValues(const Log& log) {
  std::vector<int> values;
  for (const auto& entry : log) {
    if (entry.rfind("progress ", 0) == 0) values.push_back(std::stoi(entry.substr(9)));
  }
  return values;
}

// The next pair of a file as it stands now, waiting as long as the file system
// needs; nothing at the end.
std::optional<Pair> NextPair(PairFile& file) {
  file.LookAgain();
  const FilePair read = ReadMappedPair(file);
  EXPECT_NE(read.outcome, PairFile::Outcome::kNotArrived);
  if (read.outcome != PairFile::Outcome::kNumbers) return std::nullopt;
  return read.pair;
}

std::unique_ptr<PairFile> OpenForTest(const std::string& path) {
  auto file = std::make_unique<PairFile>(path, testing::kPatientReading);
  file->WaitUntilOpened();
  return file;
}

// Chooses `name` on a thread of its own, so that a test can tell an open that
// blocks from one that is refused: the refusal, or nothing when it was taken.
std::future<std::optional<FileOpenError>> ChooseApart(EstimatorRig& rig, const std::string& name) {
  rig.frontEnd.nextChoice = name;
  return std::async(std::launch::async, [&rig, name]() -> std::optional<FileOpenError> {
    try {
      rig.Choose(name);
      return std::nullopt;
    } catch (const FileOpenError& error) {
      return error;
    }
  });
}

class FileAnalysis : public ::testing::Test {
 protected:
  void Choose(const std::string& path) { rig.Choose(path); }
  void TickUntilFinished() {
    for (int tick = 0; tick < 1000 && rig.estimator.AnalyzingFile(); ++tick) rig.estimator.Tick();
  }
  TempFolder folder;
  EstimatorRig rig;
};

TEST_F(FileAnalysis, ChoosingAFileSwitchesTheSourceAndZeroesTheTallyWithoutRedrawing) {
  rig.estimator.Restore(TrialTally{40, 10, 3.1});
  const auto path = folder.Write("pairs.bin", CoprimeRecords(3));
  Choose(path);
  EXPECT_TRUE(rig.estimator.AnalyzingFile());
  EXPECT_EQ(rig.estimator.Tally().Total, 0);
  EXPECT_EQ(rig.estimator.Tally().Hits, 0);
  EXPECT_EQ(rig.estimator.Tally().Estimate, 0.0);
  EXPECT_EQ(rig.frontEnd.texts.estimate, "is about")
      << "the lines show the old tally until the next update";
  EXPECT_EQ(rig.frontEnd.log, (Log{"choose", "analyze mark set", "virtual mark cleared",
                                   "frame enabled", "caption Loading " + path}));
  EXPECT_TRUE(rig.frontEnd.running) << "running trials are not toggled";
  EXPECT_EQ(rig.frontEnd.progress, 0) << "the bar waits for the first update";
}

TEST_F(FileAnalysis, TheNameIsUsedWithItsBlanksAndShownWithout) {
  const auto name = (folder.Path() / " spaced.bin  ").string();
  Choose(name);
  EXPECT_TRUE(std::filesystem::exists(name)) << "a name with no file behind it is created";
  EXPECT_EQ(rig.frontEnd.frameCaption, "Loading " + (folder.Path() / " spaced.bin").string());
}

TEST_F(FileAnalysis, ChoosingWhileStoppedStartsTrials) {
  rig.frontEnd.running = false;
  Choose(folder.Write("pairs.bin", CoprimeRecords(1)));
  EXPECT_TRUE(rig.frontEnd.running);
  EXPECT_EQ(rig.frontEnd.log.back(), "start");
}

TEST_F(FileAnalysis, AnEmptyFileEndsAtTheFirstTrialAndReturnsToRandomPairs) {
  const auto path = folder.Write("empty.bin", {});
  Choose(path);
  rig.frontEnd.log.clear();
  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 0);
  EXPECT_EQ(rig.estimator.Tally().Estimate, 0.0);
  EXPECT_EQ(rig.estimator.BatchStep(), 1);
  EXPECT_EQ(rig.frontEnd.log, (Log{"stop", "virtual mark set", "analyze mark cleared", "captions",
                                   "progress 100", "frame disabled", "no whole pair in 0 bytes"}));
  EXPECT_EQ(rig.frontEnd.texts.estimate, "is about 0.0000");
  EXPECT_EQ(rig.frontEnd.texts.total, " based on  0 virtual people asked");
  EXPECT_EQ(rig.frontEnd.texts.hits, "and  0 guesses being relatively prime");
  EXPECT_EQ(rig.frontEnd.frameCaption.rfind("Loading ", 0), 0u) << "the caption keeps the name";
  EXPECT_FALSE(rig.estimator.AnalyzingFile());
  EXPECT_TRUE(testing::ClosedWithin(path)) << "the file is closed";
  // The next tick, if trials run again, draws random pairs.
  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 4);
}

TEST_F(FileAnalysis, AMissingNameIsCreatedEmptyAndEndsAtTheNextTrial) {
  const auto path = (folder.Path() / "new.bin").string();
  Choose(path);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(std::filesystem::file_size(path), 0u);
  rig.estimator.Tick();
  EXPECT_FALSE(rig.estimator.AnalyzingFile());
  EXPECT_EQ(rig.estimator.Tally().Total, 0);
}

TEST_F(FileAnalysis, TwelveBytesGiveOnePairAndTheLastFourAreNeverUsed) {
  Choose(folder.Write("twelve.bin", Records({1, 1, 7})));
  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 1);
  EXPECT_EQ(rig.estimator.BatchStep(), 2);
  EXPECT_EQ(rig.frontEnd.texts.estimate, "is about 2.4495");
  EXPECT_FALSE(rig.estimator.AnalyzingFile());
}

TEST_F(FileAnalysis, ATickInWhichTheFileEndsAfterTwoPairsRunsNoFourthTrial) {
  Choose(folder.Write("pairs.bin", CoprimeRecords(6)));
  rig.estimator.Tick();
  rig.frontEnd.log.clear();
  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 6);
  EXPECT_EQ(rig.estimator.BatchStep(), 3);
  EXPECT_EQ(std::count(rig.frontEnd.log.begin(), rig.frontEnd.log.end(), "captions"), 3);
  EXPECT_EQ(std::count(rig.frontEnd.log.begin(), rig.frontEnd.log.end(), "stop"), 1);
}

struct ProgressCase {
  const char* name;
  int pairs;
  int trailing_bytes;
  std::vector<std::pair<int, int>> after_pair;  // (pair number, bar value)
};

std::ostream& operator<<(std::ostream& out, const ProgressCase& c) {
  return out << c.name;
}

class Progress : public FileAnalysis, public ::testing::WithParamInterface<ProgressCase> {};

TEST_P(Progress, FollowsThePositionThroughTheFile) {
  const auto& c = GetParam();
  auto bytes = CoprimeRecords(c.pairs);
  bytes.resize(bytes.size() + static_cast<std::size_t>(c.trailing_bytes), 0);
  Choose(folder.Write("pairs.bin", bytes));
  TickUntilFinished();
  const auto values = ProgressValues(rig.frontEnd.log);
  ASSERT_EQ(values.size(), static_cast<std::size_t>(c.pairs) + 1)
      << "one per pair, one by the finish";
  for (const auto& [pair, value] : c.after_pair)
    EXPECT_EQ(values[pair - 1], value) << "after pair " << pair;
  EXPECT_EQ(values.back(), 100);
  EXPECT_EQ(rig.estimator.Tally().Total, c.pairs);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Progress,
    ::testing::Values(ProgressCase{"EightHundredBytes", 100, 0, {{1, 1}, {50, 50}, {100, 100}}},
                      ProgressCase{"ThousandBytes", 125, 0, {{1, 0}, {62, 49}, {125, 100}}},
                      ProgressCase{"HundredAndFourBytesEndAtTheMaximum", 13, 0, {{13, 100}}},
                      ProgressCase{"EightBytesWouldPassTheMaximum", 1, 0, {{1, 100}}},
                      ProgressCase{"TrailingFragmentIsIgnored", 10, 5, {{10, 95}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgressPercent, UsesSixtyFourBitPositionsAndClampsToTheMaximum) {
  constexpr std::int64_t kThreeGiB = std::int64_t{3} << 30;
  EXPECT_EQ(ProgressPercent(kThreeGiB / 2 + 1, kThreeGiB, 100), 50);
  EXPECT_EQ(ProgressPercent(kThreeGiB + 1, kThreeGiB, 100), 100);
  EXPECT_EQ(ProgressPercent(9, 8, 100), 100);  // 112 %
  // A size that cannot be trusted gives no percentage: a file that claims no
  // bytes (/proc), or fewer than were read from it.
  EXPECT_EQ(ProgressPercent(9, 0, 100), std::nullopt);
  EXPECT_EQ(ProgressPercent(17, 8, 100), std::nullopt);
}

struct MappingCase {
  const char* name;
  std::vector<std::uint8_t> record;
  Pair pair;
};

std::ostream& operator<<(std::ostream& out, const MappingCase& c) {
  return out << c.name;
}

class RecordMapping : public ::testing::TestWithParam<MappingCase> {};

TEST_P(RecordMapping, GivesThePairOfTheTrial) {
  TempFolder folder;
  const auto file = OpenForTest(folder.Write("record.bin", GetParam().record));
  EXPECT_EQ(NextPair(*file), GetParam().pair);
  EXPECT_EQ(file->Position(), 9);
  EXPECT_EQ(NextPair(*file), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Records, RecordMapping,
    ::testing::Values(
        MappingCase{"ZeroAndMinusOne", {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, {2, 1}},
        MappingCase{"LowestIntegerAndTen", {0, 0, 0, 0x80, 0x0A, 0, 0, 0}, {2147483647, 10}},
        MappingCase{"OneAndHighestInteger", {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}, {1, 2147483647}},
        MappingCase{"TwoZeros", {0, 0, 0, 0, 0, 0, 0, 0}, {2, 2}},
        MappingCase{"NegativesBecomeTheirAbsoluteValue",
                    {0xFA, 0xFF, 0xFF, 0xFF, 0xF1, 0xFF, 0xFF, 0xFF},
                    {6, 15}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PairFileTest, FilesOfMoreThanTwoGibibytesHaveTheirFullLength) {
  TempFolder folder;
  const auto path = folder.Path() / "large.bin";
  constexpr std::int64_t kLength = (std::int64_t{1} << 31) + 16;
  { std::ofstream out(path, std::ios::binary); }
  std::filesystem::resize_file(path, kLength);  // sparse where the file system allows
  const auto file = OpenForTest(path.string());
  EXPECT_EQ(NextPair(*file), (Pair{2, 2}));
  EXPECT_EQ(file->Length(), kLength);
  EXPECT_EQ(file->Position(), 9);
}

TEST_F(FileAnalysis, CancelChangesNothingBeforeOrAfterAChoice) {
  rig.estimator.Restore(TrialTally{40, 10, 3.1});
  rig.frontEnd.nextChoice.reset();
  rig.estimator.AnalyzeFile();
  EXPECT_EQ(rig.frontEnd.log, Log{"choose"});
  EXPECT_EQ(rig.estimator.Tally().Total, 40);

  Choose(folder.Write("pairs.bin", CoprimeRecords(20)));
  rig.estimator.Tick();
  rig.frontEnd.log.clear();
  rig.frontEnd.nextChoice.reset();
  rig.estimator.AnalyzeFile();
  EXPECT_EQ(rig.frontEnd.log, Log{"choose"});
  EXPECT_EQ(rig.estimator.Tally().Total, 4) << "the analysis goes on where it was";
  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 8);
}

TEST_F(FileAnalysis, AFileThatCannotBeOpenedIsReportedAndChangesNothing) {
  Choose(folder.Write("pairs.bin", CoprimeRecords(20)));
  rig.estimator.Tick();
  rig.frontEnd.log.clear();
  const std::string unopenable[] = {folder.Path().string(),
                                    (folder.Path() / "no-such-folder" / "pairs.bin").string()};
  for (const auto& name : unopenable) {
    try {
      Choose(name);
      FAIL() << "no error for " << name;
    } catch (const FileOpenError& error) {
      EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
    }
  }
  EXPECT_EQ(rig.frontEnd.log, (Log{"choose", "choose"}));
  EXPECT_TRUE(rig.estimator.AnalyzingFile());
  EXPECT_EQ(rig.estimator.Tally().Total, 4);
  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 8) << "the analysis in progress goes on";
}

#ifndef _WIN32
// Anything but a regular file is refused at once with the same plain sentence:
// a FIFO would block the open (and the window with it) until some writer came,
// and a device never ends. The open runs on a helper thread so that a regression
// fails here by timeout instead of hanging the test.
struct SpecialFileCase {
  const char* name;
  std::string (*make)(const TempFolder&);  // gives the path, or "" when the system has none
};

std::ostream& operator<<(std::ostream& out, const SpecialFileCase& c) {
  return out << c.name;
}

std::string MakeFifo(const TempFolder& folder) {
  const auto path = (folder.Path() / "pipe").string();
  return ::mkfifo(path.c_str(), 0600) == 0 ? path : "";
}

std::string MakeSocket(const TempFolder& folder) {
  const auto path = (folder.Path() / "socket").string();
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return "";
  path.copy(address.sun_path, path.size());
  const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const bool bound = ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  ::close(socket);  // the name stays behind as a socket file
  return bound ? path : "";
}

std::string FirstBlockDevice(const TempFolder&) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/dev", error)) {
    if (entry.is_block_file(error)) return entry.path().string();
  }
  return "";
}

class NotARegularFile : public ::testing::TestWithParam<SpecialFileCase> {};

TEST_P(NotARegularFile, IsRefusedWithoutWaitingAndChangesNothing) {
  TempFolder folder;
  const std::string path = GetParam().make(folder);
  if (path.empty()) GTEST_SKIP() << "this system offers no " << GetParam().name;
  EstimatorRig rig;
  rig.estimator.Restore(TrialTally{40, 10, 3.1});
  auto choosing = ChooseApart(rig, path);
  if (choosing.wait_for(testing::kBeyondAnyLoad) != std::future_status::ready) {
    ADD_FAILURE() << "opening " << path << " blocked";
    const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);  // releases a blocked reader
    choosing.wait();
    if (writer >= 0) ::close(writer);
    return;
  }
  const std::optional<FileOpenError> refusal = choosing.get();
  ASSERT_TRUE(refusal.has_value()) << "no error";
  EXPECT_EQ(refusal->Why().kind, FileFailure::Kind::kNotRegular);
  EXPECT_EQ(refusal->Name(), path);
  EXPECT_FALSE(rig.estimator.AnalyzingFile());
  EXPECT_EQ(rig.estimator.Tally().Total, 40);
  EXPECT_EQ(rig.frontEnd.log, Log{"choose"});
}

// What was opened is looked at again, as the name may have changed in between;
// when that look fails or finds no regular file, the descriptor is closed and
// never handed back.
struct SecondLookCase {
  const char* name;
  int (*statOpen)(int, struct stat*);
  FileFailure failure;
};

std::ostream& operator<<(std::ostream& out, const SecondLookCase& c) {
  return out << c.name;
}

int openedDescriptor = -1;
int closedDescriptor = -1;

class SecondLook : public ::testing::TestWithParam<SecondLookCase> {};

TEST_P(SecondLook, ClosesWhatItRefuses) {
  TempFolder folder;
  const auto path = folder.Write("pairs.bin", CoprimeRecords(1));
  PosixFileCalls calls = SystemFileCalls();
  calls.open = [](const char* name, int flags, mode_t mode) {
    return openedDescriptor = ::open(name, flags, mode);
  };
  calls.statOpen = GetParam().statOpen;
  calls.close = [](int descriptor) { return ::close(closedDescriptor = descriptor); };
  closedDescriptor = -1;
  const RegularOpen opened = OpenRegularDescriptor(path, O_RDONLY, calls);
  EXPECT_EQ(opened.failure, GetParam().failure);
  EXPECT_EQ(opened.descriptor, -1) << "a closed descriptor handed back";
  EXPECT_GE(openedDescriptor, 0);
  EXPECT_EQ(closedDescriptor, openedDescriptor);
}

INSTANTIATE_TEST_SUITE_P(
    Looks, SecondLook,
    ::testing::Values(SecondLookCase{"Fails",
                                     [](int, struct stat*) {
                                       errno = EIO;
                                       return -1;
                                     },
                                     SystemFailure(EIO)},
                      SecondLookCase{"FindsAFifo",
                                     [](int, struct stat* status) {
                                       status->st_mode = S_IFIFO | 0600;
                                       return 0;
                                     },
                                     FileFailure{FileFailure::Kind::kNotRegular, 0}},
                      SecondLookCase{"FindsAFolder",
                                     [](int, struct stat* status) {
                                       status->st_mode = S_IFDIR | 0700;
                                       return 0;
                                     },
                                     FileFailure{FileFailure::Kind::kFolder, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Kinds, NotARegularFile,
    ::testing::Values(SpecialFileCase{"Fifo", MakeFifo}, SpecialFileCase{"Socket", MakeSocket},
                      SpecialFileCase{"CharacterDevice",
                                      [](const TempFolder&) { return std::string("/dev/zero"); }},
                      SpecialFileCase{"BlockDevice", FirstBlockDevice}),
    [](const auto& info) { return std::string(info.param.name); });
#endif

// A name in any script opens, on every platform.
TEST_F(FileAnalysis, ANameWithLettersOfAnyScriptIsAnalysed) {
  const auto path = folder.Write("Zoë Müller ζ.bin", CoprimeRecords(3));
  Choose(path);
  TickUntilFinished();
  EXPECT_EQ(rig.estimator.Tally().Total, 3);
}

#ifdef _WIN32
// Windows opens a device for these names, however they are written; each is
// refused at once, without being opened.
TEST(WindowsDevices, AreRefusedWithoutBeingOpened) {
  const HANDLE pipe = ::CreateNamedPipeW(L"\\\\.\\pipe\\orvanel-test", PIPE_ACCESS_INBOUND,
                                         PIPE_TYPE_BYTE | PIPE_WAIT, 1, 64, 64, 0, nullptr);
  for (const std::string name : {"NUL", "con", "COM1", "lpt9.txt", "C:\\any\\folder\\aux.bin",
                                 "\\\\.\\pipe\\orvanel-test", "//./PhysicalDrive0"}) {
    EstimatorRig rig;
    auto choosing = ChooseApart(rig, name);
    ASSERT_EQ(choosing.wait_for(testing::kBeyondAnyLoad), std::future_status::ready) << name;
    const auto refusal = choosing.get();
    ASSERT_TRUE(refusal.has_value()) << name;
    EXPECT_EQ(refusal->Why().kind, FileFailure::Kind::kDevice) << name;
  }
  if (pipe != INVALID_HANDLE_VALUE) ::CloseHandle(pipe);
}
#endif

TEST(PairFileTest, AFileThatGrowsWhileItIsReadIsReadOn) {
  TempFolder folder;
  const auto path = folder.Write("pairs.bin", Records({3, 5, 7, 9}));
  const auto file = OpenForTest(path);
  EXPECT_EQ(NextPair(*file), (Pair{3, 5}));
  {
    std::ofstream grow(path, std::ios::binary | std::ios::app);
    const auto more = Records({11, 13, 15});
    grow.write(reinterpret_cast<const char*>(more.data()),
               static_cast<std::streamsize>(more.size()));
  }
  EXPECT_EQ(NextPair(*file), (Pair{7, 9}));
  EXPECT_EQ(NextPair(*file), (Pair{11, 13}));
  EXPECT_EQ(NextPair(*file), std::nullopt) << "the last four bytes are no pair";
  EXPECT_EQ(file->Position(), 25) << "and are left where they are";
}

TEST(PairFileTest, TheLengthIsThatOfTheOpenFileWhateverTheNameLaterMeans) {
  TempFolder folder;
  const auto path = folder.Write("pairs.bin", Records({1, 2, 3, 4}));
  const auto file = OpenForTest(path);
#ifdef _WIN32
  const std::filesystem::path open_file = path;  // Windows renames no file that is open
#else
  const auto open_file = folder.Path() / "moved.bin";
  std::filesystem::rename(path, open_file);
  folder.Write("pairs.bin", std::vector<std::uint8_t>(4000, 0));
#endif
  file->LookAgain();
  EXPECT_EQ(file->Length(), 16);
  {
    std::ofstream grow(open_file, std::ios::binary | std::ios::app);
    grow.write("12345678", 8);
  }
  file->LookAgain();
  EXPECT_EQ(file->Length(), 24) << "the open file itself grew";
}

TEST_F(FileAnalysis, AFileChosenDuringAnAnalysisReplacesIt) {
  const auto first = folder.Write("first.bin", CoprimeRecords(20));
  const auto second = folder.Write("second.bin", Records({4, 6, 1, 1}));
  Choose(first);
  rig.estimator.Tick();
  // The second file's first pair (4, 6) shares a factor; the first file has none.
  Choose(second);
  EXPECT_EQ(rig.estimator.Tally().Total, 0);
  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 2);
  EXPECT_EQ(rig.estimator.Tally().Hits, 1);
  EXPECT_FALSE(rig.estimator.AnalyzingFile());
  EXPECT_TRUE(testing::ClosedWithin(first) && testing::ClosedWithin(second))
      << "both files are closed";
}

TEST_F(FileAnalysis, AskVirtualPeopleEndsTheAnalysisAndKeepsTheTally) {
  const auto path = folder.Write("pairs.bin", CoprimeRecords(20));
  Choose(path);
  rig.estimator.Tick();
  rig.frontEnd.log.clear();
  rig.estimator.UseRandomPairs();
  EXPECT_FALSE(rig.estimator.AnalyzingFile());
  EXPECT_EQ(rig.frontEnd.log,
            (Log{"virtual mark set", "analyze mark cleared", "progress 100", "frame disabled"}))
      << "over, as at the end of the file";
  EXPECT_EQ(rig.estimator.Tally().Total, 4);
  EXPECT_TRUE(rig.frontEnd.running);
  EXPECT_TRUE(testing::ClosedWithin(path));

  rig.frontEnd.log.clear();
  rig.estimator.UseRandomPairs();  // with random pairs it does nothing
  EXPECT_TRUE(rig.frontEnd.log.empty());
}

TEST_F(FileAnalysis, ResetDuringAnAnalysisKeepsTheFileAndItsPosition) {
  Choose(folder.Write("pairs.bin", CoprimeRecords(6)));
  rig.estimator.Tick();
  rig.estimator.Reset();
  EXPECT_TRUE(rig.estimator.AnalyzingFile());
  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 2) << "the two pairs left after the first four";
}

TEST_F(FileAnalysis, RandomFilesCountEveryWholePairLikeTheOracle) {
  std::mt19937 engine(11);
  std::uniform_int_distribution<int> length(0, 400);
  std::uniform_int_distribution<int> byte(0, 255);
  std::vector<std::string> paths;
  for (int file = 0; file < 60; ++file) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length(engine)));
    // Small numbers, so that common factors are frequent; every fourth byte random.
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      bytes[i] = static_cast<std::uint8_t>(i % 4 == 0 || i % 4 == 3 ? byte(engine) : 0);
    }
    const auto path = folder.Write("random" + std::to_string(file) + ".bin", bytes);
    paths.push_back(path);
    std::int32_t hits = 0;
    {
      const auto oracle_file = OpenForTest(path);
      while (const auto pair = NextPair(*oracle_file)) {
        hits += testing::LiteralHasCommonFactor(pair->first, pair->second);
      }
    }
    Choose(path);
    TickUntilFinished();
    const auto& tally = rig.estimator.Tally();
    ASSERT_EQ(tally.Total, static_cast<std::int32_t>(bytes.size() / 8)) << path;
    ASSERT_EQ(tally.Hits, hits) << path;
    const double expected = tally.Total == tally.Hits
                                ? 0.0
                                : std::sqrt(6.0 / (double(tally.Total - tally.Hits) / tally.Total));
    ASSERT_EQ(tally.Estimate, expected) << path;
    ASSERT_FALSE(rig.estimator.AnalyzingFile());
  }
  for (const auto& path : paths) EXPECT_TRUE(testing::ClosedWithin(path)) << path;
}

// The end of a file is a read that comes back short, whatever size the file
// claims: a file of /sys claims 4096 bytes and holds a few, one of /proc
// claims none; a file may grow or shrink under a size that stays. Only the bar
// goes by the size, and shows no percentage while it cannot be trusted.
struct ClaimedSizeCase {
  const char* name;
  std::int64_t claimed;
  int pairs;
  int trailingBytes;
  bool percentages;  // the bar shows them all along
};

std::ostream& operator<<(std::ostream& out, const ClaimedSizeCase& c) {
  return out << c.name;
}

class ClaimedSize : public ::testing::TestWithParam<ClaimedSizeCase> {};

TEST_P(ClaimedSize, TheFileIsReadToWhereItEnds) {
  const ClaimedSizeCase& c = GetParam();
  auto system = std::make_shared<testing::HeldFileSystem>();
  system->bytes = CoprimeRecords(c.pairs);
  system->bytes.resize(system->bytes.size() + static_cast<std::size_t>(c.trailingBytes), 7);
  system->statedSize = c.claimed;
  EstimatorRig rig({0.25f, 0.75f}, testing::HeldOpener(system, testing::kPatientReading));
  rig.Choose("claims.bin");
  for (int tick = 0; tick < 1000 && rig.estimator.AnalyzingFile(); ++tick) rig.estimator.Tick();
  EXPECT_FALSE(rig.estimator.AnalyzingFile()) << "the end was reached";
  EXPECT_EQ(rig.estimator.Tally().Total, c.pairs);
  EXPECT_EQ(rig.frontEnd.progress, 100) << "the bar is full at the end";
  const auto unknown =
      std::count(rig.frontEnd.log.begin(), rig.frontEnd.log.end(), std::string("progress unknown"));
  EXPECT_EQ(unknown == 0, c.percentages);
  EXPECT_EQ(
      std::count(rig.frontEnd.log.begin(), rig.frontEnd.log.end(),
                 std::string("no whole pair in ") + std::to_string(c.trailingBytes) + " bytes"),
      c.pairs == 0 ? 1 : 0)
      << "a file without a whole pair is told with the bytes it held";
}

INSTANTIATE_TEST_SUITE_P(
    Files, ClaimedSize,
    ::testing::Values(ClaimedSizeCase{"LikeSys", 4096, 2, 7, true},
                      ClaimedSizeCase{"LikeProc", 0, 12, 4, false},
                      ClaimedSizeCase{"ProcWithoutAWholePair", 0, 0, 5, true},
                      ClaimedSizeCase{"GrownUnderAFixedSize", 16, 100, 0, false},
                      ClaimedSizeCase{"ShrunkUnderAFixedSize", 800, 2, 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

#ifdef __linux__
// The kernel's own files, read to their end: one of /sys (a size of 4096, a few
// bytes inside) and one of /proc (a size of 0, a kilobyte or more inside).
TEST(KernelFiles, AreReadToWhereTheyEnd) {
  for (const std::string path :
       {"/sys/kernel/mm/transparent_hugepage/enabled", "/proc/self/status"}) {
    if (!std::filesystem::exists(path)) continue;
    std::ifstream in(path, std::ios::binary);
    const std::string held((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EstimatorRig rig;
    rig.Choose(path);
    for (int tick = 0; tick < 100'000 && rig.estimator.AnalyzingFile(); ++tick) {
      rig.estimator.Tick();
    }
    EXPECT_FALSE(rig.estimator.AnalyzingFile()) << path;
    if (path.rfind("/sys/", 0) == 0) {
      EXPECT_EQ(rig.estimator.Tally().Total, static_cast<std::int32_t>(held.size() / 8)) << path;
    } else {
      EXPECT_GT(rig.estimator.Tally().Total, 100) << path;  // what it holds changes as it is read
    }
  }
}
#endif

// What the system knows of a file: its length and when it was written.
std::tuple<std::uintmax_t, std::filesystem::file_time_type> Look(const std::string& path) {
  return {std::filesystem::file_size(path), std::filesystem::last_write_time(path)};
}

// Writes the file anew, so that the system can tell it was written: a rewrite
// that keeps the length and lands within the same tick of the file system's
// clock as the one before could not be told from no change at all.
void Rewrite(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const auto before = Look(path);
  do {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (Look(path) != before) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  } while (true);
}

// The tally a file gives when every pair is read where it stands as its tick
// begins: the file's bytes at that moment decide.
struct OracleFile {
  std::vector<std::uint8_t> bytes;
  std::size_t position = 0;
  bool ended = false;
  std::int32_t total = 0;
  std::int32_t hits = 0;

  void Tick() {
    for (int trial = 0; trial < 4 && !ended; ++trial) {
      if (position + 8 > bytes.size()) {
        ended = true;
        return;
      }
      const auto number = [this](std::size_t at) {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
        const auto read = static_cast<std::int32_t>(value);
        const std::int32_t nonzero = read == 0 ? 2 : read;
        if (nonzero == std::numeric_limits<std::int32_t>::min()) return 2147483647;
        return nonzero < 0 ? -nonzero : nonzero;
      };
      ++total;
      hits += testing::LiteralHasCommonFactor(number(position), number(position + 4));
      position += 8;
    }
  }
};

// Random files that shrink, are written anew or grow between ticks.
TEST_F(FileAnalysis, AFileThatChangesIsReadAsItStandsWhenEachTickBegins) {
  std::mt19937 engine(190);
  const auto random_bytes = [&engine](std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
      bytes[i] = static_cast<std::uint8_t>(i % 4 == 0 ? engine() % 24 : 0);
    }
    return bytes;
  };
  for (int file = 0; file < 190; ++file) {
    OracleFile oracle;
    oracle.bytes = random_bytes(engine() % 800);
    const auto path = folder.Write("changing" + std::to_string(file) + ".bin", oracle.bytes);
    Choose(path);
    for (int step = 0; step < 40 && !oracle.ended; ++step) {
      const unsigned what = engine() % 10;
      if (what == 0) {
        oracle.bytes.resize(engine() % (oracle.bytes.size() + 1));  // shrinks
        Rewrite(path, oracle.bytes);
      } else if (what == 1) {
        oracle.bytes = random_bytes(engine() % 800);  // written anew
        Rewrite(path, oracle.bytes);
      } else if (what == 2) {
        const auto more = random_bytes(engine() % 64);  // grows
        oracle.bytes.insert(oracle.bytes.end(), more.begin(), more.end());
        Rewrite(path, oracle.bytes);
      } else {
        oracle.Tick();
        rig.estimator.Tick();
        ASSERT_EQ(rig.estimator.Tally().Total, oracle.total) << path << " step " << step;
        ASSERT_EQ(rig.estimator.Tally().Hits, oracle.hits) << path << " step " << step;
        ASSERT_EQ(rig.estimator.AnalyzingFile(), !oracle.ended) << path << " step " << step;
        ASSERT_LE(rig.frontEnd.progress, 100);
      }
    }
    rig.estimator.UseRandomPairs();
  }
}

// Eight hundred bytes of pairs, one tick, the file cut to 16 bytes: what lies
// beyond its new end is not counted, and the bar never passes its maximum.
TEST_F(FileAnalysis, AFileCutShortEndsWhereItNowEnds) {
  const auto path = folder.Write("pairs.bin", CoprimeRecords(100));
  Choose(path);
  rig.estimator.Tick();
  std::filesystem::resize_file(path, 16);
  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 4);
  EXPECT_FALSE(rig.estimator.AnalyzingFile());
  const auto values = ProgressValues(rig.frontEnd.log);
  EXPECT_EQ(values, (std::vector<int>{1, 2, 3, 4, 100})) << "four pairs, then the finish";
}

// A file system that stops answering holds up nothing: a tick whose pair has
// not arrived ends at once, the next one goes on when it has; the way back to
// random pairs does not wait for the reader either.
TEST(HeldFileSystem, HoldsUpNoTickAndNoWayBack) {
  auto system = std::make_shared<testing::HeldFileSystem>();
  system->bytes = CoprimeRecords(20);
  // All the patience in the world for the open and its first bytes; none for
  // bytes that are late.
  EstimatorRig rig({0.25f, 0.75f}, testing::HeldOpener(system, {testing::kBeyondAnyLoad,
                                                                std::chrono::milliseconds(0)}));
  rig.Choose("held.bin");
  rig.estimator.Tick();
  ASSERT_EQ(rig.estimator.Tally().Total, 4);
  {
    const std::lock_guard lock(system->mutex);
    system->holdReads = true;
    system->bytes.resize(40 * 8, 1);  // grows: the next tick reads again, and the read hangs
  }
  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 4) << "nothing has arrived";
  EXPECT_TRUE(rig.estimator.AnalyzingFile());

  system->Release();
  const auto deadline = std::chrono::steady_clock::now() + testing::kBeyondAnyLoad;
  while (rig.estimator.Tally().Total == 4 && std::chrono::steady_clock::now() < deadline) {
    rig.estimator.Tick();
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  EXPECT_EQ(rig.estimator.Tally().Total, 8) << "the pairs came, four to a tick";

  {
    const std::lock_guard hold(system->mutex);  // reads wait again from here
    system->holdReads = true;
    rig.estimator.UseRandomPairs();
    EXPECT_FALSE(rig.estimator.AnalyzingFile());
  }
  system->Release();
  EXPECT_TRUE(system->AllClosed());
}

// An open that hangs holds up nothing either: the choice returns at once, the
// trials go on as they were, and once the patience has passed the file is
// refused, with nothing changed.
TEST(HeldFileSystem, AnOpenThatGetsNoAnswerIsRefusedAndChangesNothing) {
  auto system = std::make_shared<testing::HeldFileSystem>();
  system->holdOpens = true;
  EstimatorRig rig({0.25f, 0.75f}, testing::HeldOpener(system, {std::chrono::milliseconds(50),
                                                                std::chrono::milliseconds(0)}));
  rig.estimator.Restore(TrialTally{40, 10, 3.1});
  rig.frontEnd.nextChoice = "held.bin";
  rig.estimator.AnalyzeFile();
  EXPECT_TRUE(rig.estimator.OpeningFile());
  EXPECT_TRUE(rig.frontEnd.opening) << "the window shows that the file is being opened";
  rig.estimator.Tick();
  EXPECT_EQ(rig.estimator.Tally().Total, 44) << "random pairs, as before";
  try {
    rig.Choose("held.bin");
    ADD_FAILURE() << "the open was taken as done";
  } catch (const FileOpenError& error) {
    EXPECT_EQ(error.Why().kind, FileFailure::Kind::kNoAnswer);
  }
  EXPECT_FALSE(rig.frontEnd.opening);
  EXPECT_FALSE(rig.estimator.AnalyzingFile());
  EXPECT_EQ(rig.estimator.Tally().Total, 44);
  system->Release();
  EXPECT_TRUE(system->AllClosed()) << "the reader closes the file that came too late";
}

TEST(HeldFileSystem, AReadThatFailsEndsTheTickWithItsReason) {
  auto system = std::make_shared<testing::HeldFileSystem>();
  system->bytes = CoprimeRecords(20);
  system->failReads = true;
  EstimatorRig rig({0.25f, 0.75f}, testing::HeldOpener(system, testing::kPatientReading));
  rig.Choose("held.bin");
  try {
    rig.estimator.Tick();
    ADD_FAILURE() << "the failed read passed for no pair";
  } catch (const FileReadError& error) {
    EXPECT_EQ(error.Why(), SystemFailure(EIO));
  }
}

}  // namespace
}  // namespace orvanel
