#include "errors.h"

#include <system_error>

namespace orvanel {
namespace {

const char* Describe(Quantity quantity) {
  switch (quantity) {
    case Quantity::kPeopleAsked:
      return "number of people asked";
    case Quantity::kCommonFactorsFound:
      return "number of common factors found";
    case Quantity::kRelativelyPrimePairs:
      return "number of relatively prime pairs";
    case Quantity::kEstimate:
      return "estimate of pi";
    case Quantity::kRandomNumber:
      return "random number";
    case Quantity::kCommonFactorBound:
      return "bound of the common-factor test";
    case Quantity::kStoredCount:
      return "stored count";
  }
  return "value";
}

const char* Describe(Fault fault) {
  switch (fault) {
    case Fault::kLimitReached:
      return "limit reached";
    case Fault::kOutOfRange:
      return "out of the 32-bit range";
    case Fault::kDoesNotFit:
      return "does not fit into 32 bits";
    case Fault::kInvalidResult:
      return "invalid result";
    case Fault::kTooLarge:
      return "too large";
    case Fault::kDivisionByZero:
      return "division by zero";
    case Fault::kNegativeSquareRoot:
      return "square root of a negative number";
  }
  return "failed";
}

std::string SystemReason(int error) {
  return error == 0 ? "no reason given" : std::generic_category().message(error);
}

const char* Describe(FileOpenError::Reason reason) {
  switch (reason) {
    case FileOpenError::Reason::kFolder:
      return "a folder";
    case FileOpenError::Reason::kNotRegular:
      return "not a regular file";
    case FileOpenError::Reason::kDevice:
      return "a device";
    case FileOpenError::Reason::kNoAnswer:
      return "no answer from the file system";
    case FileOpenError::Reason::kNoThread:
      return "no thread could be started to read it";
    case FileOpenError::Reason::kSystem:
      break;
  }
  return "";
}

}  // namespace

ArithmeticError::ArithmeticError(Fault fault, Quantity quantity)
    : OrvanelError(std::string(Describe(quantity)) + ": " + Describe(fault)),
      fault_(fault),
      quantity_(quantity) {}

FileOpenError::FileOpenError(std::string name, Reason reason, int system_error)
    : OrvanelError("cannot open \"" + name + "\": " +
                   (reason == Reason::kSystem ? SystemReason(system_error) : Describe(reason))),
      name_(std::move(name)),
      reason_(reason),
      systemError_(system_error) {}

FileReadError::FileReadError(std::string name, int system_error)
    : OrvanelError("cannot read \"" + name + "\": " + SystemReason(system_error)),
      name_(std::move(name)),
      systemError_(system_error) {}

}  // namespace orvanel
