// The sentences the user reads for each kind of error, in the program's own
// English (the translations follow the same table).
#include <gtest/gtest.h>

#include <QDir>
#include <QLocale>

#include <cerrno>
#include <optional>
#include <stdexcept>
#include <string>

#include "estimator/errors.h"
#include "gui/messages/messages.h"
#include "gui/messages/reporter.h"
#include "history/settings_store.h"
#include "support/widgets.h"
#include "support/window_fakes.h"

namespace orvanel {
namespace {

struct Said {
  const char* name;
  std::exception_ptr error;
  QString sentence;
};

std::ostream& operator<<(std::ostream& out, const Said& said) {
  return out << said.name;
}

template <typename Error, typename... Arguments>
std::exception_ptr Raised(Arguments... arguments) {
  return std::make_exception_ptr(Error(arguments...));
}

class ErrorSentences : public ::testing::TestWithParam<Said> {
 protected:
  // Numbers as an English user writes them.
  void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
  void TearDown() override { QLocale::setDefault(previous_); }

 private:
  QLocale previous_;
};

TEST_P(ErrorSentences, ArePlainAndNameWhatFailed) {
  try {
    std::rethrow_exception(GetParam().error);
  } catch (const std::exception& error) {
    // Paths as the platform writes them: with backslashes on Windows.
    EXPECT_EQ(ErrorText(error), QDir::toNativeSeparators(GetParam().sentence));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ErrorSentences,
    ::testing::Values(
        Said{"TotalAtItsLimit", Raised<OverflowError>(Fault::kLimitReached, Quantity::kPeopleAsked),
             "The tally has reached 2,147,483,647 virtual people, the most it can count. The "
             "trials have stopped; Reset starts a new tally."},
        Said{"HitsAtTheirLimit",
             Raised<OverflowError>(Fault::kLimitReached, Quantity::kCommonFactorsFound),
             "The count of common factors found has reached 2,147,483,647, the most it can count. "
             "The trials have stopped; Reset starts a new tally."},
        Said{"DifferenceOutOfRange",
             Raised<OverflowError>(Fault::kOutOfRange, Quantity::kRelativelyPrimePairs),
             "The number of relatively prime pairs lies outside the range of a whole number of 32 "
             "bits."},
        Said{"DivisionByZero",
             Raised<FloatingPointError>(Fault::kDivisionByZero, Quantity::kEstimate),
             "Working out the estimate of pi needed a division by zero."},
        Said{"NegativeRoot",
             Raised<InvalidArgumentError>(Fault::kNegativeSquareRoot, Quantity::kEstimate),
             "Working out the estimate of pi needed the square root of a negative number."},
        Said{"FaultNeverMetThere", Raised<OverflowError>(Fault::kLimitReached, Quantity::kEstimate),
             "Something went wrong that should never happen: estimate of pi: limit reached."},
        Said{"Folder", Raised<FileOpenError>("/tmp", FileFailure{FileFailure::Kind::kFolder, 0}),
             "The file “/tmp” could not be opened: it is a folder."},
        Said{"NotRegular",
             Raised<FileOpenError>("/dev/zero", FileFailure{FileFailure::Kind::kNotRegular, 0}),
             "The file “/dev/zero” could not be opened: it is not a regular file."},
        Said{"Missing", Raised<FileOpenError>("/no/such/pairs", SystemFailure(ENOENT)),
             "The file “/no/such/pairs” could not be opened: there is no such file or folder."},
        Said{"ReadFailure", Raised<FileReadError>("/data/pairs.bin", SystemFailure(EIO)),
             "The file “/data/pairs.bin” could not be read: the device reported an input or "
             "output "
             "error."},
        Said{"SaveFailureGivesTheSystemsReason",
             Raised<HistoryError>("/home/u/.config/Orvanel/Orvanel.conf",
                                  FileFailure{FileFailure::Kind::kSystem, EROFS}),
             "The tally could not be saved in /home/u/.config/Orvanel/Orvanel.conf: the file "
             "system is read-only."},
        Said{"SaveFailsForADiskThatIsFull",
             Raised<HistoryError>("/c/Orvanel.conf",
                                  FileFailure{FileFailure::Kind::kSystem, ENOSPC}),
             "The tally could not be saved in /c/Orvanel.conf: there is no space left on the "
             "disk."},
        Said{
            "SaveRefusedForAFifo",
            Raised<HistoryError>("/c/Orvanel.conf", FileFailure{FileFailure::Kind::kNotRegular, 0}),
            "The tally could not be saved in /c/Orvanel.conf: it is not a regular file."},
        Said{"ADeviceName",
             Raised<FileOpenError>("NUL", FileFailure{FileFailure::Kind::kDevice, 0}),
             "The file “NUL” could not be opened: it is a device, not a file."},
        Said{"InUse", Raised<FileOpenError>("pairs.bin", SystemFailure(EBUSY)),
             "The file “pairs.bin” could not be opened: another program is using it."},
        Said{"Unexpected", Raised<std::length_error>("vector too long"),
             "Something went wrong that should never happen: vector too long."}),
    [](const auto& info) { return std::string(info.param.name); });

// What the start says of a saved tally it could not wholly use: in the window
// when the tally starts from zero or the next save drops lines, else on stderr
// only; a value of any length is shown cut short.
struct LoadCase {
  const char* name;
  LoadedHistory loaded;
  QString sentence;
  bool inTheWindow;
  bool warnsOfALoss = false;  // a warning rather than news
};

std::ostream& operator<<(std::ostream& out, const LoadCase& c) {
  return out << c.name;
}

LoadedHistory Loaded(StoreCondition::State state, FileFailure fault = {},
                     bool other_lines = false) {
  LoadedHistory loaded;
  loaded.store.state = state;
  loaded.store.fault = fault;
  loaded.store.holdsOtherLines = other_lines;
  return loaded;
}

using State = StoreCondition::State;

LoadedHistory WithUnusable(std::optional<UnusableValue> count,
                           std::optional<UnusableValue> estimate, bool other_lines) {
  LoadedHistory loaded = Loaded(StoreCondition::State::kReadable, {}, other_lines);
  loaded.unusableCount = std::move(count);
  loaded.unusableEstimate = std::move(estimate);
  return loaded;
}

class LoadProblems : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadProblems, AreToldOnceInPlainWords) {
  EXPECT_EQ(LoadProblemText(GetParam().loaded, "/c/Orvanel.conf"),
            QDir::toNativeSeparators(GetParam().sentence));
  EXPECT_EQ(LoadProblemNeedsTelling(GetParam().loaded), GetParam().inTheWindow);
  EXPECT_EQ(LoadProblemLoses(GetParam().loaded), GetParam().warnsOfALoss);
}

LoadedHistory Unwritable(FileFailure why) {
  LoadedHistory loaded = Loaded(State::kReadable);
  loaded.store.unwritable = why;
  return loaded;
}

LoadedHistory KeptAside(FileFailure why) {
  LoadedHistory loaded = Loaded(State::kUnreadable, why);
  loaded.store.setAsideOnSave = true;
  return loaded;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, LoadProblems,
    ::testing::Values(
        LoadCase{"Nothing", Loaded(State::kReadable), "", false},
        LoadCase{"Damaged", Loaded(State::kDamaged, {}, true),
                 "The saved tally could not be read from /c/Orvanel.conf: the file is damaged. "
                 "The tally starts again from zero.",
                 true, true},
        LoadCase{"AFifo", Loaded(State::kUnreadable, {FileFailure::Kind::kNotRegular, 0}),
                 "The saved tally could not be read from /c/Orvanel.conf: it is not a regular "
                 "file. The tally starts again from zero.",
                 true, true},
        LoadCase{
            "ARegistryKeyRefusedKeptUnread",
            [] {
              LoadedHistory loaded = Loaded(State::kUnreadable, {FileFailure::Kind::kRefused, 0});
              loaded.store.unwritable = FileFailure{FileFailure::Kind::kLeftUnread, 0};
              return loaded;
            }(),
            "The saved tally could not be read from /c/Orvanel.conf: the settings store "
            "refused access. The tally starts again from zero. The tally will not be saved "
            "in /c/Orvanel.conf: the values there could not be read when Orvanel started, so "
            "they are left as they are.",
            true, true},
        LoadCase{"NotAllowedKeptAside", KeptAside({FileFailure::Kind::kSystem, EACCES}),
                 "The saved tally could not be read from /c/Orvanel.conf: permission denied. The "
                 "tally starts again from zero. The next save keeps that file beside the new "
                 "one, under a name that ends in “.unreadable-” and the date.",
                 true, true},
        LoadCase{"NoAnswer", Loaded(State::kUnreadable, {FileFailure::Kind::kNoAnswer, 0}),
                 "The saved tally could not be read from /c/Orvanel.conf: the file system did not "
                 "answer in time. The tally starts again from zero.",
                 true, true},
        LoadCase{"AFolderThatCannotBeWritten", Unwritable({FileFailure::Kind::kSystem, EROFS}),
                 "The tally will not be saved in /c/Orvanel.conf: the file system is read-only.",
                 true, true},
        LoadCase{"NoHome", Unwritable({FileFailure::Kind::kNoHome, 0}),
                 "The tally will not be saved in /c/Orvanel.conf: no home folder is known (HOME "
                 "is not set).",
                 true, true},
        LoadCase{"AHugeCountAndOtherLines",
                 WithUnusable(UnusableValue{"Total", std::string(10'000'000, '7'), std::nullopt},
                              std::nullopt, true),
                 "The saved Total “" + QString(40, '7') + QChar(0x2026) +
                     "” in /c/Orvanel.conf cannot be used, so the tally starts again from zero. "
                     "The settings file /c/Orvanel.conf also holds lines that are not part of the "
                     "tally. They will be removed when the tally is next saved.",
                 true, true},
        LoadCase{"OtherLinesAlone", WithUnusable(std::nullopt, std::nullopt, true),
                 "The settings file /c/Orvanel.conf also holds lines that are not part of the "
                 "tally. They will be removed when the tally is next saved.",
                 true},
        // Registry values of a kind that holds no number are told by their kind.
        LoadCase{
            "BinaryHits",
            WithUnusable(UnusableValue{"Hits", "0", UnusableKind{UnusableKind::What::kBinary, 2}},
                         std::nullopt, false),
            "The saved Hits in /c/Orvanel.conf holds binary data, not a number. The tally "
            "starts again from zero.",
            true, true},
        LoadCase{"AShortDword",
                 WithUnusable(UnusableValue{"Total", "0",
                                            UnusableKind{UnusableKind::What::kWrongSize, 1}},
                              std::nullopt, false),
                 "The saved Total in /c/Orvanel.conf is a number stored with the wrong size for "
                 "its kind. The tally starts again from zero.",
                 true, true},
        LoadCase{"AListAsEstimate",
                 WithUnusable(std::nullopt,
                              UnusableValue{"Estimate", "0",
                                            UnusableKind{UnusableKind::What::kTexts, 8}},
                              false),
                 "The saved Estimate in /c/Orvanel.conf holds a list of texts, not a number. The "
                 "estimate starts again at 0.",
                 false},
        LoadCase{
            "AnEstimateAlone",
            WithUnusable(std::nullopt, UnusableValue{"Estimate", "1e999", std::nullopt}, false),
            "The saved Estimate “1e999” in /c/Orvanel.conf cannot be used and starts again "
            "at 0.",
            false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvanel

namespace orvanel {
namespace {

// Every problem is told in one place: a line on stderr always, a message only
// when a person may be there, and one held back until its window is shown.
TEST(Reporter, TellsStderrAlwaysAndAPersonOnlyWhenOneMayBeThere) {
  using Attendance = Reporter::Attendance;
  const struct {
    Attendance attendance;
    int shownAtOnce;
    int shownOnceOnScreen;
  } cases[] = {{Attendance::kPersonPresent, 1, 1},
               {Attendance::kOnceOnScreen, 0, 1},
               {Attendance::kNobodyWatching, 0, 0}};
  for (const auto& c : cases) {
    testing::RecordingMessenger messenger;
    Reporter reporter(messenger);
    ::testing::internal::CaptureStderr();
    reporter.Tell(nullptr, "The file “x” could not be read: permission denied.", c.attendance);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Orvanel: The file “x” could not be read: permission denied.\n");
    EXPECT_EQ(messenger.messages.size(), c.shownAtOnce);
    reporter.TellHeldBack();
    reporter.TellHeldBack();
    EXPECT_EQ(messenger.messages.size(), c.shownOnceOnScreen);
  }
}

}  // namespace
}  // namespace orvanel
