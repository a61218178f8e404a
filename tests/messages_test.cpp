// The sentences the user reads for each kind of error, in the program's own
// English (the translations follow the same table).
#include <gtest/gtest.h>

#include <cerrno>
#include <stdexcept>

#include "errors.h"
#include "messages.h"
#include "settings_store.h"
#include "support/widgets.h"

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

class ErrorSentences : public ::testing::TestWithParam<Said> {};

TEST_P(ErrorSentences, ArePlainAndNameWhatFailed) {
  try {
    std::rethrow_exception(GetParam().error);
  } catch (const std::exception& error) {
    EXPECT_EQ(ErrorText(error), GetParam().sentence);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ErrorSentences,
    ::testing::Values(
        Said{"TotalAtItsLimit", Raised<OverflowError>(Fault::kLimitReached, Quantity::kPeopleAsked),
             "The number of people asked cannot change any further: it has reached the limit of "
             "what it can hold."},
        Said{"HitsAtTheirLimit",
             Raised<OverflowError>(Fault::kLimitReached, Quantity::kCommonFactorsFound),
             "The number of common factors found cannot change any further: it has reached the "
             "limit of what it can hold."},
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
        Said{"Folder", Raised<FileOpenError>("/tmp", FileOpenError::Reason::kFolder, 0),
             "The file \"/tmp\" could not be opened: it is a folder."},
        Said{"NotRegular",
             Raised<FileOpenError>("/dev/zero", FileOpenError::Reason::kNotRegular, 0),
             "The file \"/dev/zero\" could not be opened: it is not a regular file."},
        Said{"Missing",
             Raised<FileOpenError>("/no/such/pairs", FileOpenError::Reason::kSystem, ENOENT),
             "The file \"/no/such/pairs\" could not be opened: there is no such file or folder."},
        Said{"ReadFailure", Raised<FileReadError>("pairs.bin", EIO),
             "The file \"pairs.bin\" could not be read: the device reported an input or output "
             "error."},
        Said{"SaveFailure", Raised<HistoryError>("/home/u/.config/Orvanel/Orvanel.conf"),
             "The tally (Estimate, Total and Hits) could not be saved in "
             "/home/u/.config/Orvanel/Orvanel.conf: the settings could not be written there."},
        Said{"Unexpected", Raised<std::length_error>("vector too long"),
             "Something went wrong that should never happen: vector too long."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvanel
